// Stopping on SIGINT, SIGTERM and SIGHUP.
#include "platform/platform.h"

#include <csignal>
#include <cstdio>
#include <initializer_list>
#include <unistd.h>

static volatile sig_atomic_t caught = 0; // the signal that asked the run to stop

static void onstop(int signal)
{
    caught = signal;
}

void catchstops()
{
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {
        };
        // A signal the process was started with ignored (nohup, a background job) stays so.
        if (sigaction(signal, nullptr, &action) != 0 || action.sa_handler == SIG_IGN)
            continue;
        action.sa_handler = onstop;
        sigemptyset(&action.sa_mask);
        // Calls under way go on, so that the file in hand is finished and no output is lost.
        action.sa_flags = SA_RESTART;
        sigaction(signal, &action, nullptr);
    }
}

bool stopasked()
{
    return caught != 0;
}

void endstopped()
{
    std::fflush(stdout);
    std::fflush(stderr);
    int signal = caught;
    std::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(signal);
    _exit(128 + signal); // not reached: the signal ends the process
}
