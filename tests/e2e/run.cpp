#include "run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <ftw.h>
#include <grp.h>
#include <optional>
#include <random>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

Target target;

bool windowsbuild()
{
    return !target.wine.empty();
}

long keptnanos(long nanoseconds)
{
    return windowsbuild() ? nanoseconds - nanoseconds % 100 : nanoseconds;
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

// The text with the build's line ends turned into LF; on Windows every line must end in
// CR LF, and a bare LF fails the test.
static std::string lineends(const Target &build, const std::string &text, const char *stream)
{
    if (build.wine.empty())
        return text;
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            ADD_FAILURE() << "a line on " << stream << " ends in LF alone: " << text;
        plain += text[i];
    }
    return plain;
}

static int givetonobody(const char *path, const struct stat *, int, FTW *)
{
    return lchown(path, nobody, nobody) == 0 ? 0 : -1;
}

Outcome zamtik(const std::vector<std::string> &args, const std::string &cwd, RunOptions options)
{
    return runbuild(target, args, cwd, options);
}

Outcome runbuild(const Target &build, const std::vector<std::string> &args, const std::string &cwd,
                 RunOptions options)
{
    bool underwine = !build.wine.empty();
    if (underwine && geteuid() == 0) {
        if (nftw(cwd.c_str(), givetonobody, 64, FTW_PHYS) != 0 || chmod(cwd.c_str(), 0755) != 0)
            throw std::runtime_error("cannot hand the tree to nobody");
        options.unprivileged = true;
    }

    std::vector<std::string> words;
    if (underwine)
        words.push_back(build.wine);
    words.push_back(build.binary);
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
        for (const auto &setting : options.environment)
            putenv(const_cast<char *>(setting.c_str()));
        if (underwine) {
            setenv("WINEPREFIX", build.wineprefix.c_str(), 1);
            setenv("WINEDEBUG", "-all", 1);
            setenv("HOME", build.wineprefix.c_str(), 1);
        }
        execv(words[0].c_str(), argv.data());
        _exit(127);
    }

    Outcome run;
    int status = 0;
    auto started = std::chrono::steady_clock::now();
    auto deadline = started + std::chrono::seconds(120);
    // A stop comes after the first block of output, a little later each time: mid-run.
    std::mt19937 random(std::random_device{}());
    auto stopafter = std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 50)(random));
    std::optional<std::chrono::steady_clock::time_point> stopat;
    for (;;) {
        pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
            break;
        if (options.stopsignal != 0) {
            struct stat written {
            };
            if (!stopat && fstat(out, &written) == 0 && written.st_size > 0)
                stopat = std::chrono::steady_clock::now() + stopafter;
            if (stopat && std::chrono::steady_clock::now() >= *stopat) {
                kill(child, options.stopsignal);
                options.stopsignal = 0;
            }
        }
        if (options.killafterms >= 0 && std::chrono::steady_clock::now() - started >=
                                            std::chrono::milliseconds(options.killafterms)) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (status != -1 && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    if (status != -1 && WIFSIGNALED(status))
        run.signal = WTERMSIG(status);
    run.out = lineends(build, readall(out), "standard output");
    run.err = lineends(build, readall(err), "standard error");
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
