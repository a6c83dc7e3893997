#include "Console.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace orvel {

#ifdef Q_OS_WIN

namespace {

// A handle the caller gave us (a file, a pipe, a console), as opposed to none.
bool isUsable(DWORD which)
{
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The console's code page before the program changed it, given back on the way out.
UINT &formerOutputCodePage()
{
    static UINT page = 0;
    return page;
}

void restoreCodePage()
{
    if (formerOutputCodePage() != 0)
        SetConsoleOutputCP(formerOutputCodePage());
}

} // namespace

void useStartingConsole()
{
    const bool outputGiven = isUsable(STD_OUTPUT_HANDLE);
    const bool errorGiven = isUsable(STD_ERROR_HANDLE);
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (!outputGiven)
            std::freopen("CONOUT$", "w", stdout);
        if (!errorGiven)
            std::freopen("CONOUT$", "w", stderr);
        // The texts are UTF-8; the console shows them so, and gets its own code page back.
        const UINT former = GetConsoleOutputCP();
        if (former != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
            formerOutputCodePage() = former;
            std::atexit(restoreCodePage);
        }
    }
    // Started from the Start menu, the program has neither (no descriptor to set).
    for (FILE *stream : {stdout, stderr}) {
        std::fflush(stream);
        if (const int fd = _fileno(stream); fd >= 0)
            _setmode(fd, _O_BINARY);
    }
}

#else

void useStartingConsole() {}

#endif

} // namespace orvel
