// The least a program must do to shift the matching files of a tree: read each directory once
// with the entry types it gives, match the name, then one fstatat and one utimensat per
// matching file, each relative to the open directory. It sets the target for zamtik.
//   floor [--open] DIR SUFFIX MINUTES  (matches names ending in SUFFIX, any case; skips dot
//                                       names)
// With --open, the least a program does that reads and writes the time through one open
// file, so that the file changed is the file read: openat, statx, futimens and close.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

static const char *suffix;
static size_t suffixlength;
static long long shiftns;
static bool throughfile = false;

static timespec shifted(const timespec &t)
{
    long long ns = t.tv_sec * 1000000000LL + t.tv_nsec + shiftns;
    timespec result{ns / 1000000000, ns % 1000000000};
    if (result.tv_nsec < 0) {
        result.tv_nsec += 1000000000;
        result.tv_sec -= 1;
    }
    return result;
}

static void shiftat(int dirfd, const char *name)
{
    if (throughfile) {
        int fd = openat(dirfd, name, O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct statx st {
        };
        if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &st) == 0) {
            timespec times[2] = {{0, UTIME_OMIT},
                                 shifted({st.stx_mtime.tv_sec, st.stx_mtime.tv_nsec})};
            futimens(fd, times);
        }
        close(fd);
        return;
    }
    struct stat st {
    };
    if (fstatat(dirfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    timespec times[2] = {{0, UTIME_OMIT}, shifted(st.st_mtim)};
    utimensat(dirfd, name, times, AT_SYMLINK_NOFOLLOW);
}

static bool matches(const char *name)
{
    size_t length = std::strlen(name);
    return name[0] != '.' && length >= suffixlength &&
           strcasecmp(name + length - suffixlength, suffix) == 0;
}

static void walk(int dirfd)
{
    DIR *dir = fdopendir(dirfd);
    if (dir == nullptr) {
        close(dirfd);
        return;
    }
    while (const dirent *entry = readdir(dir)) {
        const char *name = entry->d_name;
        if (entry->d_type == DT_DIR) {
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
                continue;
            int sub = openat(dirfd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (sub >= 0)
                walk(sub);
        } else if (entry->d_type == DT_REG && matches(name)) {
            shiftat(dirfd, name);
        }
    }
    closedir(dir);
}

int main(int argc, char **argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--open") == 0) {
        throughfile = true;
        ++argv;
        --argc;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: floor [--open] DIR SUFFIX MINUTES\n");
        return 2;
    }
    suffix = argv[2];
    suffixlength = std::strlen(suffix);
    shiftns = std::atoll(argv[3]) * 60000000000LL;
    int fd = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        std::perror(argv[1]);
        return 1;
    }
    walk(fd);
    return 0;
}
