// The program's files are opened and renamed through the C library's open() and rename(); the
// definitions below stand in front of the library's (found with dlsym) for this executable, so
// that a child can be killed between two chosen writes. No system header declaring open() or
// rename() is included here (Qt's among them): their inline forms would clash with these definitions.
#include "KillPoint.h"

#include <dlfcn.h>
#include <signal.h>
#include <stdarg.h>
#include <string.h>
#include <unistd.h>

namespace {

// Set once in the child, before the work: read without locking afterwards.
char g_killPath[4096] = {};

// The open() flags this needs; their values are the same on every Linux architecture.
constexpr int kWriteOnly = 01;
constexpr int kReadWrite = 02;
constexpr int kCreate = 0100;
constexpr int kTemporaryFile = 020000000;

void dieAt(const char *path)
{
    if (g_killPath[0] != '\0' && path && strcmp(path, g_killPath) == 0)
        kill(getpid(), SIGKILL);
}

} // namespace

void orvel::testing::killBeforeWriting(const char *path)
{
    strncpy(g_killPath, path, sizeof g_killPath - 1);
}

extern "C" int open(const char *path, int flags, ...)
{
    unsigned mode = 0;
    if (flags & (kCreate | kTemporaryFile)) {
        va_list arguments;
        va_start(arguments, flags);
        mode = va_arg(arguments, unsigned);
        va_end(arguments);
    }
    if (flags & (kWriteOnly | kReadWrite))
        dieAt(path);
    using Open = int (*)(const char *, int, ...);
    static const auto real = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "open"));
    return real(path, flags, mode);
}

extern "C" int rename(const char *from, const char *to)
{
    dieAt(to);
    using Rename = int (*)(const char *, const char *);
    static const auto real = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    return real(from, to);
}
