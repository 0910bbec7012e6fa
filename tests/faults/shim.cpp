// Fault injection for the end-to-end tests, loaded into the program with LD_PRELOAD. It does
// one thing to the file system at one exact moment of a run, named by ZAMTIK_FAULT:
//   NAME:unlink          before NAME is first opened, remove it
//   NAME:replace:OTHER   before NAME is first opened, rename OTHER over it
//   NAME:fifo            before NAME is first opened, put a FIFO in its place
//   NAME:rmtree:DIR      before NAME is first opened, remove the directory DIR and all in it
//   NAME:after:OTHER     right after NAME is first opened, rename OTHER over it
// NAME is the last component of the path being opened; paths in the actions are relative to
// the directory the path is relative to (OTHER) or to the current directory (DIR).
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

bool done = false;

std::string lastcomponent(const char *path)
{
    const char *slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

// The directory part of path, relative to dirfd, for the file that is renamed over it.
std::string beside(const char *path, const std::string &other)
{
    const char *slash = std::strrchr(path, '/');
    return slash != nullptr ? std::string(path, slash + 1) + other : other;
}

int realopenat(int dirfd, const char *path, int flags, mode_t mode)
{
    using Openat = int (*)(int, const char *, int, ...);
    static Openat next = reinterpret_cast<Openat>(dlsym(RTLD_NEXT, "openat"));
    return next(dirfd, path, flags, mode);
}

int faultyopenat(int dirfd, const char *path, int flags, mode_t mode)
{
    const char *spec = std::getenv("ZAMTIK_FAULT");
    if (done || spec == nullptr || path == nullptr)
        return realopenat(dirfd, path, flags, mode);
    std::string fault = spec;
    size_t colon = fault.find(':');
    std::string name = fault.substr(0, colon);
    std::string action = fault.substr(colon + 1);
    std::string argument;
    if (size_t second = action.find(':'); second != std::string::npos) {
        argument = action.substr(second + 1);
        action.resize(second);
    }
    if (lastcomponent(path) != name)
        return realopenat(dirfd, path, flags, mode);
    done = true;

    if (action == "unlink") {
        unlinkat(dirfd, path, 0);
    } else if (action == "replace") {
        renameat(dirfd, beside(path, argument).c_str(), dirfd, path);
    } else if (action == "fifo") {
        unlinkat(dirfd, path, 0);
        mkfifoat(dirfd, path, 0644);
    } else if (action == "rmtree") {
        std::error_code ignored;
        std::filesystem::remove_all(argument, ignored);
    } else if (action == "after") {
        int fd = realopenat(dirfd, path, flags, mode);
        renameat(dirfd, beside(path, argument).c_str(), dirfd, path);
        return fd;
    }
    return realopenat(dirfd, path, flags, mode);
}

} // namespace

extern "C" int openat(int dirfd, const char *path, int flags, ...)
{
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list args;
        va_start(args, flags);
        mode = mode_t(va_arg(args, int));
        va_end(args);
    }
    return faultyopenat(dirfd, path, flags, mode);
}

// The same entry under its large-file name.
extern "C" int openat64(int dirfd, const char *path, int flags, ...)
    __attribute__((alias("openat")));
