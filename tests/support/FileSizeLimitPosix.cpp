// A full disk, on systems that limit the size of the files a process writes.
#include "TestPlatform.h"

#include <QThreadPool>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvel::testing {

QString inChildWithFileSizeLimit(qint64 limit, const std::function<QString()> &work)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return QStringLiteral("<échec du processus>");
    // No thread of the global pool (which closes replaced files) may hold its lock at the
    // fork: the child would wait for it forever. The pool's threads are ended first.
    QThreadPool::globalInstance()->waitForDone();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{rlim_t(limit), rlim_t(limit)};
        ::setrlimit(RLIMIT_FSIZE, &size);
        const QByteArray text = work().toUtf8();
        ::rlimit none{RLIM_INFINITY, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &none);
        [[maybe_unused]] const auto sent = ::write(channel[1], text.constData(), text.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    QByteArray received;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        received.append(buffer, n);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("<échec du processus>");
    return QString::fromUtf8(received);
}

} // namespace orvel::testing
