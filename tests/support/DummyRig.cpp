#include "DummyRig.h"

#include <QDeadlineTimer>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvel::testing {

namespace {

// A socket bound to a port of 127.0.0.1 the system chose; -1 when that failed.
int boundLoopbackSocket(int *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(fd);
        return -1;
    }
    *port = ntohs(address.sin_port);
    return fd;
}

bool runRigctl(int port, const QStringList &command)
{
    QProcess rigctl;
    rigctl.start(QStringLiteral("rigctl"),
                 QStringList{QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                             QStringLiteral("127.0.0.1:%1").arg(port)} +
                     command);
    return rigctl.waitForFinished(5000) && rigctl.exitStatus() == QProcess::NormalExit &&
           rigctl.exitCode() == 0;
}

} // namespace

int closedLoopbackPort()
{
    int port = 0;
    const int fd = boundLoopbackSocket(&port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

DummyRig::DummyRig()
{
    m_port = closedLoopbackPort();
    m_rigctld.start(QStringLiteral("rigctld"),
                    {QStringLiteral("-m"), QStringLiteral("1"), QStringLiteral("-T"),
                     QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(m_port)});
    if (!m_rigctld.waitForStarted(5000))
        return;
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && m_rigctld.state() == QProcess::Running) {
        if (runRigctl(m_port, {QStringLiteral("f")})) {
            m_answering = true;
            return;
        }
        QThread::msleep(50);
    }
}

DummyRig::~DummyRig()
{
    kill();
}

QString DummyRig::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

bool DummyRig::set(qint64 hertz, const QString &mode)
{
    return runRigctl(m_port, {QStringLiteral("F"), QString::number(hertz), QStringLiteral("M"),
                              mode, QStringLiteral("0")});
}

void DummyRig::kill()
{
    m_answering = false;
    if (m_rigctld.state() == QProcess::NotRunning)
        return;
    m_rigctld.kill();
    m_rigctld.waitForFinished(5000);
}

SilentPort::SilentPort()
{
    m_socket = boundLoopbackSocket(&m_port);
    if (m_socket >= 0 && ::listen(m_socket, 4) != 0) {
        ::close(m_socket);
        m_socket = -1;
    }
}

SilentPort::~SilentPort()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

} // namespace orvel::testing
