// The UDP socket that hears WSJT-X and JTDX, on a thread of its own: it only takes datagrams
// off the socket into a queue, so that a burst is read as fast as it comes, whatever the
// windows are doing, and the system's buffer never overflows while a log is written.
#pragma once

#include <QHostAddress>
#include <QMutex>
#include <QObject>

#include <deque>
#include <functional>

class QUdpSocket;

namespace orvel {

struct Datagram {
    QByteArray bytes;
    QHostAddress from;
    quint16 port = 0;
};

// What the listener hands over: filled on the listener's thread, emptied on the reader's.
class DatagramQueue
{
public:
    // Adds a datagram; true when the queue was empty (the reader is to be woken).
    bool push(Datagram datagram);
    // Everything queued, in order of arrival.
    std::deque<Datagram> takeAll();

private:
    QMutex m_mutex;
    std::deque<Datagram> m_datagrams;
};

class DatagramListener : public QObject
{
    Q_OBJECT
public:
    // wake runs on the listener's thread when the queue stops being empty.
    DatagramListener(DatagramQueue &queue, std::function<void()> wake);
    ~DatagramListener() override;

    // Binds the port at address, with address re-use so that other programs (JTAlert,
    // GridTracker) may listen too; a multicast group is joined. Empty when listening, else the
    // French reason. Runs on the listener's thread.
    QString open(int port, const QString &address);
    void close();
    // Sends a datagram from the listening socket (the answer to a heartbeat).
    void send(const QByteArray &bytes, const QHostAddress &to, quint16 port);

private:
    void readAll();

    DatagramQueue &m_queue;
    std::function<void()> m_wake;
    QUdpSocket *m_socket = nullptr;
};

// The French reason a port cannot be listened on.
QString bindProblem(int port, const QString &address, int socketError, const QString &detail);

} // namespace orvel
