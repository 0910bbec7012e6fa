#include "fixture.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

static void check(bool ok, const std::string &what)
{
    if (!ok)
        throw std::runtime_error("fixture: " + what);
}

TempDir::TempDir()
{
    std::string base = fs::temp_directory_path().string() + "/zamtik-test-XXXXXX";
    check(mkdtemp(base.data()) != nullptr, "mkdtemp");
    root = base;
}

TempDir::~TempDir()
{
    // Give back write permission first, or read-only directories could not be emptied.
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored))
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            chmod(it->path().c_str(), 0755);
    fs::remove_all(root, ignored);
}

std::string TempDir::at(const std::string &relative) const
{
    return root + "/" + relative;
}

std::string numbered(const std::string &prefix, long long n)
{
    std::string text = prefix;
    text += std::to_string(n);
    return text;
}

timespec makets(long long seconds, long nanoseconds)
{
    timespec t{};
    t.tv_sec = time_t(seconds);
    t.tv_nsec = nanoseconds;
    return t;
}

bool operator==(const timespec &a, const timespec &b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

void PrintTo(const timespec &t, std::ostream *out)
{
    *out << t.tv_sec << "." << t.tv_nsec << "s";
}

void writefile(const std::string &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
    check(bool(out), "write " + path);
}

void makedir(const std::string &path)
{
    check(mkdir(path.c_str(), 0755) == 0, "mkdir " + path);
}

void makefifo(const std::string &path)
{
    check(mkfifo(path.c_str(), 0644) == 0, "mkfifo " + path);
}

void makelink(const std::string &target, const std::string &path)
{
    check(symlink(target.c_str(), path.c_str()) == 0, "symlink " + path);
}

void makemode(const std::string &path, unsigned mode)
{
    check(chmod(path.c_str(), mode_t(mode)) == 0, "chmod " + path);
}

void settimes(const std::string &path, const timespec &access, const timespec &write)
{
    timespec times[2] = {access, write};
    check(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0, "utimensat " + path);
}

static struct stat statof(const std::string &path)
{
    struct stat st {
    };
    check(lstat(path.c_str(), &st) == 0, "lstat " + path);
    return st;
}

timespec mtimeof(const std::string &path)
{
    return statof(path).st_mtim;
}

timespec atimeof(const std::string &path)
{
    return statof(path).st_atim;
}

bool fsholds(const std::string &path, const timespec &write)
{
    std::string probe = path + "/.zamtik-probe";
    writefile(probe);
    settimes(probe, makets(0, 0), write);
    bool held = mtimeof(probe) == write;
    unlink(probe.c_str());
    return held;
}
