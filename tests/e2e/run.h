// Running the real zamtik binary the way a user does, and collecting what the user sees.
// The same suite runs the native build, or the Windows build under Wine.
#pragma once

#include <string>
#include <vector>

struct Target {
    std::string binary;     // the program
    std::string wine;       // where not empty, the wine64 that runs the Windows build
    std::string wineprefix; // and the Wine prefix it runs in
    std::string native;     // the native build, to compare the Windows build with
};

// Set from the command line: --zamtik=PATH, --wine=PATH, --wineprefix=DIR, --native=PATH.
extern Target target;

// Whether the suite runs the Windows build.
bool windowsbuild();

// A fixture time's nanoseconds as the build can keep them: a Windows file time counts in
// steps of 100 ns, and Wine writes no finer than that.
long keptnanos(long nanoseconds);

struct Outcome {
    int status = -1; // exit status; -1 when it did not exit by itself in time
    int signal = 0;  // the signal that ended it, if one did
    std::string out; // standard output, with CR LF line ends turned into LF
    std::string err; // standard error, likewise
};

struct RunOptions {
    unsigned long fdlimit = 0;            // where not 0, the soft limit on open files
    bool unprivileged = false;            // run as the user "nobody" (the tests then run as root)
    std::vector<std::string> environment; // NAME=VALUE settings added for the run
    int killafterms = -1;                 // where not negative, SIGKILL the run after this long
    int stopsignal = 0; // where not 0, send this signal soon after standard output shows output
};

inline RunOptions fdlimited(unsigned long limit)
{
    RunOptions options;
    options.fdlimit = limit;
    return options;
}
inline RunOptions asnobody()
{
    RunOptions options;
    options.unprivileged = true;
    return options;
}
inline RunOptions withenvironment(std::vector<std::string> settings)
{
    RunOptions options;
    options.environment = std::move(settings);
    return options;
}
inline RunOptions killedafter(int milliseconds)
{
    RunOptions options;
    options.killafterms = milliseconds;
    return options;
}
inline RunOptions stoppedby(int signal)
{
    RunOptions options;
    options.stopsignal = signal;
    return options;
}

// The user and group "nobody" that unprivileged runs take.
inline constexpr unsigned nobody = 65534;

// Runs zamtik with args in the directory cwd. Wine is never run as root, which opens
// read-only files that Windows would refuse: as root, the Windows build runs as "nobody",
// on the tree at cwd handed over to "nobody".
Outcome zamtik(const std::vector<std::string> &args, const std::string &cwd,
               RunOptions options = {});

// The same with another build than the suite's.
Outcome runbuild(const Target &build, const std::vector<std::string> &args, const std::string &cwd,
                 RunOptions options = {});

// The lines of text, each with its line feed, sorted: for output whose order follows the
// directory's order.
std::vector<std::string> sortedlines(const std::string &text);
