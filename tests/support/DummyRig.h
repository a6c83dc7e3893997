// Hamlib's dummy rig served by rigctld on a free loopback port, set with rigctl as an operator
// turns the knobs of a radio; and a loopback port that takes connections but never answers.
#pragma once

#include <QProcess>
#include <QString>

namespace orvel::testing {

class DummyRig
{
public:
    // Starts rigctld -m 1 on 127.0.0.1 and waits until it answers.
    DummyRig();
    ~DummyRig();
    DummyRig(const DummyRig &) = delete;
    DummyRig &operator=(const DummyRig &) = delete;

    bool isRunning() const { return m_answering; }
    int port() const { return m_port; }
    QString address() const; // "127.0.0.1:PORT"

    // Sets the frequency (Hz) and the mode (Hamlib's name, "USB") through rigctl.
    bool set(qint64 hertz, const QString &mode);
    void kill();

private:
    QProcess m_rigctld;
    int m_port = 0;
    bool m_answering = false;
};

// A loopback port that accepts connections (the system does it) and never says a word.
class SilentPort
{
public:
    SilentPort();
    ~SilentPort();
    SilentPort(const SilentPort &) = delete;
    SilentPort &operator=(const SilentPort &) = delete;
    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};

// A loopback port nothing listens on (connections are refused).
int closedLoopbackPort();

} // namespace orvel::testing
