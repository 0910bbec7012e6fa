// Running the real zamtik binary the way a user does, and collecting what the user sees.
#pragma once

#include <string>
#include <vector>

struct Outcome {
    int status = -1; // exit status; -1 when it did not exit by itself in time
    std::string out;
    std::string err;
};

struct RunOptions {
    unsigned long fdlimit = 0; // where not 0, the soft limit on open files
    bool unprivileged = false; // run as the user "nobody" (the tests then run as root)
};

// The user and group "nobody" that unprivileged runs take.
inline constexpr unsigned nobody = 65534;

// Runs zamtik with args in the directory cwd. The binary is $ZAMTIK_BIN, or the one built
// beside the tests.
Outcome zamtik(const std::vector<std::string> &args, const std::string &cwd,
               RunOptions options = {});

// The lines of text, each with its line feed, sorted: for output whose order follows the
// directory's order.
std::vector<std::string> sortedlines(const std::string &text);
