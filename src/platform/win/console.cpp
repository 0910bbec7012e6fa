// Names printed as they are: UTF-8 on the console while the program runs.
#include "platform/platform.h"

#include <cstdlib>

static UINT previous = 0;

static void restore()
{
    SetConsoleOutputCP(previous);
}

void utf8console()
{
    // Redirected output is the UTF-8 bytes themselves; only a console needs its code page.
    DWORD mode = 0;
    bool console = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) ||
                   GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode);
    if (!console)
        return;
    previous = GetConsoleOutputCP();
    if (previous != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        std::atexit(restore);
}
