// Directory listings: FindFirstFileA, FindNextFileA, FindClose.
#include "posix.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

struct Search {
    DIR *dir;
    std::string dirpath; // the directory part of the pattern, "" for none
    Wildcard pattern;    // the last component of the pattern, matched against each name
    Volume volume;       // the directory's file system, learned at the first file opened
    bool volumeknown;    // through the listing, once
    Search *outer;       // the listing opened before this one, still open
};

// The listings open now, the newest first.
Search *newest = nullptr;

Search *assearch(HANDLE handle)
{
    return static_cast<Search *>(handle);
}

DWORD typeattributes(mode_t mode)
{
    if (S_ISDIR(mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    if (S_ISREG(mode))
        return 0;
    return FILE_ATTRIBUTE_SYSTEM;
}

// The entry's type comes from the listing itself; only a link, or a file system that gives
// no type, costs a stat. A dangling link counts as a system entry.
DWORD attributes(DIR *dir, const dirent *entry)
{
    DWORD bits = 0;
    switch (entry->d_type) {
    case DT_DIR:
        bits = FILE_ATTRIBUTE_DIRECTORY;
        break;
    case DT_REG:
        break;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat st {
        };
        if (fstatat(dirfd(dir), entry->d_name, &st, 0) == 0)
            bits = typeattributes(st.st_mode);
        else
            bits = FILE_ATTRIBUTE_SYSTEM;
        break;
    }
    default:
        bits = FILE_ATTRIBUTE_SYSTEM;
        break;
    }
    const char *name = entry->d_name;
    bool dots = std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
    if (name[0] == '.' && !dots)
        bits |= FILE_ATTRIBUTE_HIDDEN;
    return bits == 0 ? FILE_ATTRIBUTE_NORMAL : bits;
}

} // namespace

int listingdirectory(const char *path, const char *&name, const Volume *&volume)
{
    const char *slash = std::strrchr(path, '/');
    size_t length = slash != nullptr ? size_t(slash + 1 - path) : 0;
    for (Search *search = newest; path[length] != '\0' && search != nullptr; search = search->outer)
        if (search->dirpath.size() == length &&
            search->dirpath.compare(0, length, path, length) == 0) {
            name = path + length;
            int fd = dirfd(search->dir);
            struct stat st {
            };
            if (!search->volumeknown && fstat(fd, &st) == 0) {
                search->volume = {st.st_dev, keepingof(fd)};
                search->volumeknown = true;
            }
            volume = search->volumeknown ? &search->volume : nullptr;
            return fd;
        }
    name = path;
    volume = nullptr;
    return AT_FDCWD;
}

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA *entry)
{
    char posix[PATH_MAX];
    if (!posixpath(pattern, posix, sizeof posix)) {
        errno = ENAMETOOLONG;
        return INVALID_HANDLE_VALUE;
    }
    char *slash = std::strrchr(posix, '/');
    const char *name = slash != nullptr ? slash + 1 : posix;
    if (*name == '\0') {
        errno = ENOENT;
        return INVALID_HANDLE_VALUE;
    }
    std::string dirpath = slash != nullptr ? std::string(posix, slash + 1) : std::string();

    int fd = openretry(dirpath.empty() ? "." : dirpath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return INVALID_HANDLE_VALUE;
    DIR *dir = fdopendir(fd);
    if (dir == nullptr) {
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    Search *search = new Search{dir, dirpath, wildcompile(name), {}, false, newest};
    newest = search;
    if (!FindNextFileA(search, entry)) {
        int error = errno;
        FindClose(search);
        errno = error;
        return INVALID_HANDLE_VALUE;
    }
    return search;
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA *entry)
{
    Search *search = assearch(handle);
    errno = 0;
    while (const dirent *found = readdir(search->dir)) {
        // A name holding "\" cannot be named by a path in which "\" separates: the path
        // formed from it would name another file. Such entries are not listed.
        if (std::strchr(found->d_name, '\\') != nullptr)
            continue;
        if (!wildmatch(search->pattern, found->d_name))
            continue;
        size_t length = std::strlen(found->d_name);
        if (length >= sizeof entry->cFileName)
            continue; // no file system has such names: never cut one
        entry->dwFileAttributes = attributes(search->dir, found);
        std::memcpy(entry->cFileName, found->d_name, length + 1);
        return TRUE;
    }
    if (errno == 0)
        errno = ENOENT;
    return FALSE;
}

BOOL FindClose(HANDLE handle)
{
    Search *search = assearch(handle);
    for (Search **link = &newest; *link != nullptr; link = &(*link)->outer)
        if (*link == search) {
            *link = search->outer;
            break;
        }
    int result = closedir(search->dir);
    delete search;
    return result == 0 ? TRUE : FALSE;
}
