#include "posix.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>

static bool raisefdlimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max)
        return false;
    limit.rlim_cur = limit.rlim_max;
    return setrlimit(RLIMIT_NOFILE, &limit) == 0;
}

int openretry(int dirfd, const char *path, int flags)
{
    int fd = openat(dirfd, path, flags);
    if (fd < 0 && errno == EMFILE && raisefdlimit())
        fd = openat(dirfd, path, flags);
    return fd;
}

int openretry(const char *path, int flags)
{
    return openretry(AT_FDCWD, path, flags);
}
