// Stopping on Ctrl-C, Ctrl-Break and the closing of the console.
#include "platform/platform.h"

#include <cstdlib>

static volatile LONG asked = 0;

static BOOL WINAPI onconsole(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        asked = 1;
        return TRUE;
    case CTRL_CLOSE_EVENT:
        asked = 1;
        // Windows ends the process as soon as this returns: wait here, in the handler's own
        // thread, until the run has stopped and ends the process itself.
        Sleep(INFINITE);
        return TRUE;
    default:
        return FALSE;
    }
}

void catchstops()
{
    SetConsoleCtrlHandler(onconsole, TRUE);
}

bool stopasked()
{
    return asked != 0;
}

void endstopped()
{
    // The status Windows gives a process that Ctrl-C ends; exit writes out the streams.
    std::exit(static_cast<int>(STATUS_CONTROL_C_EXIT));
}
