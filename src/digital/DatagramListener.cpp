#include "DatagramListener.h"

#include "Diagnostics.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QVariant>

namespace orvel {

namespace {
// As much as the system grants: a burst waits there while this thread is not running.
constexpr int kReceiveBuffer = 8 * 1024 * 1024;
} // namespace

bool DatagramQueue::push(Datagram datagram)
{
    QMutexLocker lock(&m_mutex);
    const bool wasEmpty = m_datagrams.empty();
    m_datagrams.push_back(std::move(datagram));
    return wasEmpty;
}

std::deque<Datagram> DatagramQueue::takeAll()
{
    QMutexLocker lock(&m_mutex);
    std::deque<Datagram> taken;
    taken.swap(m_datagrams);
    return taken;
}

DatagramListener::DatagramListener(DatagramQueue &queue, std::function<void()> wake)
    : m_queue(queue)
    , m_wake(std::move(wake))
{
}

DatagramListener::~DatagramListener()
{
    close();
}

QString DatagramListener::open(int port, const QString &address)
{
    close();
    const QHostAddress given(address.trimmed());
    if (given.isNull())
        return QStringLiteral("L'adresse « %1 » n'est pas une adresse IP.").arg(address);
    const bool multicast = given.isMulticast();
    const QHostAddress local = !multicast ? given
                               : given.protocol() == QAbstractSocket::IPv6Protocol
                                   ? QHostAddress(QHostAddress::AnyIPv6)
                                   : QHostAddress(QHostAddress::AnyIPv4);
    m_socket = new QUdpSocket(this);
    if (!m_socket->bind(local, quint16(port),
                        QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        const QString problem =
            bindProblem(port, address, int(m_socket->error()), m_socket->errorString());
        close();
        return problem;
    }
    if (multicast && !m_socket->joinMulticastGroup(given)) {
        const QString problem =
            QStringLiteral("Le groupe de multidiffusion %1 ne peut pas être rejoint (%2) : les "
                           "QSO de WSJT-X / JTDX ne sont pas reçus.")
                .arg(address, m_socket->errorString());
        close();
        return problem;
    }
    m_socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, kReceiveBuffer);
    connect(m_socket, &QUdpSocket::readyRead, this, &DatagramListener::readAll);
    // Datagrams that came between the bind and the connection.
    readAll();
    return {};
}

void DatagramListener::close()
{
    delete m_socket;
    m_socket = nullptr;
}

void DatagramListener::send(const QByteArray &bytes, const QHostAddress &to, quint16 port)
{
    if (m_socket && m_socket->writeDatagram(bytes, to, port) < 0)
        qCWarning(lcDigital) << "Answer to" << to << port << "not sent:" << m_socket->errorString();
}

void DatagramListener::readAll()
{
    bool wake = false;
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram();
        if (!datagram.isValid())
            break;
        wake = m_queue.push(Datagram{datagram.data(), datagram.senderAddress(),
                                     quint16(datagram.senderPort())}) ||
               wake;
    }
    if (wake && m_wake)
        m_wake();
}

QString bindProblem(int port, const QString &address, int socketError, const QString &detail)
{
    const QString unheard = QStringLiteral("les QSO de WSJT-X / JTDX ne sont pas reçus");
    switch (QAbstractSocket::SocketError(socketError)) {
    case QAbstractSocket::AddressInUseError:
        return QStringLiteral("Le port UDP %1 est déjà pris par un autre programme : %2. Fermez "
                              "cet autre programme, ou choisissez un autre port dans Setup, "
                              "WSJT-X / JTDX… (et le même dans WSJT-X).")
            .arg(port)
            .arg(unheard);
    case QAbstractSocket::SocketAddressNotAvailableError:
        return QStringLiteral("L'adresse %1 n'est pas une adresse de cet ordinateur : %2.")
            .arg(address, unheard);
    case QAbstractSocket::SocketAccessError:
        return QStringLiteral("Le port UDP %1 est réservé au système : %2. Choisissez un port "
                              "au-dessus de 1024.")
            .arg(port)
            .arg(unheard);
    default:
        return QStringLiteral("Le port UDP %1 ne peut pas être ouvert (%2) : %3.")
            .arg(port)
            .arg(detail, unheard);
    }
}

} // namespace orvel
