#include "run.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

static std::string binary()
{
    const char *fromenv = std::getenv("ZAMTIK_BIN");
    return fromenv != nullptr && *fromenv != '\0' ? fromenv : ZAMTIK_BIN_DEFAULT;
}

static int anonymousfile()
{
    int fd = open("/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0)
        throw std::runtime_error("cannot make a file for the output");
    return fd;
}

static std::string readall(int fd)
{
    std::string text;
    char buffer[65536];
    off_t at = 0;
    ssize_t got;
    while ((got = pread(fd, buffer, sizeof buffer, at)) > 0) {
        text.append(buffer, size_t(got));
        at += got;
    }
    close(fd);
    return text;
}

Outcome zamtik(const std::vector<std::string> &args, const std::string &cwd, RunOptions options)
{
    std::string program = binary();
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (auto &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int out = anonymousfile(), err = anonymousfile();
    pid_t child = fork();
    if (child == 0) {
        if (chdir(cwd.c_str()) != 0)
            _exit(126);
        dup2(out, 1);
        dup2(err, 2);
        int devnull = open("/dev/null", O_RDONLY);
        dup2(devnull, 0);
        rlimit limit{};
        if (options.fdlimit != 0 && getrlimit(RLIMIT_NOFILE, &limit) == 0) {
            limit.rlim_cur = options.fdlimit;
            setrlimit(RLIMIT_NOFILE, &limit);
        }
        if (options.unprivileged &&
            (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0))
            _exit(125);
        execv(program.c_str(), argv.data());
        _exit(127);
    }

    Outcome run;
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    for (;;) {
        pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (status != -1 && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    run.out = readall(out);
    run.err = readall(err);
    return run;
}

std::vector<std::string> sortedlines(const std::string &text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}
