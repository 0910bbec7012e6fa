// The least a program must do to shift the matching files of a tree: read each directory once
// with the entry types it gives, match the name, then one fstatat and one utimensat per
// matching file, each relative to the open directory. It sets the target for zamtik.
//   floor DIR SUFFIX MINUTES      (matches names ending in SUFFIX, any case; skips dot names)
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
            struct stat st {
            };
            if (fstatat(dirfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            long long ns = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec + shiftns;
            timespec times[2] = {{0, UTIME_OMIT}, {ns / 1000000000, ns % 1000000000}};
            if (times[1].tv_nsec < 0) {
                times[1].tv_nsec += 1000000000;
                times[1].tv_sec -= 1;
            }
            utimensat(dirfd, name, times, AT_SYMLINK_NOFOLLOW);
        }
    }
    closedir(dir);
}

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: floor DIR SUFFIX MINUTES\n");
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
