// Files opened for their times or their identity: CreateFileA, GetFileTime, SetFileTime,
// GetFileInformationByHandle, CloseHandle.
#include "posix.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace
{

struct File {
    int fd;
    dev_t device;
    ino_t inode;
    nlink_t links;
    // The times as of the open, or as last written through this handle. The last-write time
    // keeps its nanoseconds, so that a write keeps what a FILETIME cannot hold and a write
    // that the file system did not store can be undone.
    timespec creation;
    timespec lastaccess;
    timespec lastwrite;
    Keeping keeping; // how the file system keeps the times written to it
};

File *asfile(HANDLE handle)
{
    return static_cast<File *>(handle);
}

bool writable(mode_t mode)
{
    return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

timespec fromstatx(const statx_timestamp &t)
{
    timespec time{};
    time.tv_sec = t.tv_sec;
    time.tv_nsec = t.tv_nsec;
    return time;
}

// Every common file system holds times from 1980 (FAT, in local time: from 2 January in
// UTC, whatever the zone) to early 2038 (32-bit seconds).
bool heldeverywhere(const timespec &time)
{
    return time.tv_sec >= 315619200 && time.tv_sec <= INT32_MAX;
}

// Whether the open file's last-write time now is wanted, to the nanosecond.
bool stored(int fd, const timespec &wanted)
{
    struct stat st {
    };
    return fstat(fd, &st) == 0 && st.st_mtim.tv_sec == wanted.tv_sec &&
           st.st_mtim.tv_nsec == wanted.tv_nsec;
}

// Opens path with flags and takes what the handle serves from the open file itself.
HANDLE openhandle(const char *path, int flags, bool forwriting)
{
    const char *name = nullptr;
    const Volume *volume = nullptr;
    int dirfd = listingdirectory(path, name, volume);
    int fd = openretry(dirfd, name, flags);
    if (fd < 0)
        return INVALID_HANDLE_VALUE;

    struct statx st {
    };
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) {
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    // For writing, only regular files; and one without a write permission bit is read-only,
    // which Windows refuses to open for writing even to an administrator, as it is refused
    // here to root.
    if (forwriting && (!S_ISREG(st.stx_mode) || !writable(st.stx_mode))) {
        close(fd);
        errno = S_ISDIR(st.stx_mode) ? EISDIR : EACCES;
        return INVALID_HANDLE_VALUE;
    }
    File *file = new File{};
    file->fd = fd;
    file->device = makedev(st.stx_dev_major, st.stx_dev_minor);
    // The listing knows its directory's file system; a file elsewhere (reached through a
    // link, or a mount point) is asked itself.
    if (forwriting) {
        bool known = volume != nullptr && volume->device == file->device;
        file->keeping = known ? volume->keeping : keepingof(fd);
    }
    file->inode = st.stx_ino;
    file->links = st.stx_nlink;
    file->lastaccess = fromstatx(st.stx_atime);
    file->lastwrite = fromstatx(st.stx_mtime);
    // Where the file system keeps no birth time, the change time is the nearest there is.
    file->creation = fromstatx((st.stx_mask & STATX_BTIME) ? st.stx_btime : st.stx_ctime);
    return file;
}

} // namespace

HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD, void *, DWORD disposition, DWORD flags, HANDLE)
{
    char posix[PATH_MAX];
    if (disposition != OPEN_EXISTING || !posixpath(path, posix, sizeof posix)) {
        errno = EINVAL;
        return INVALID_HANDLE_VALUE;
    }
    // Full access includes writing. Non-blocking and without a controlling terminal, so that
    // whatever the path names by now, opening it cannot hang or take over a terminal.
    if (access == GENERIC_ALL)
        return openhandle(posix, O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, true);
    // Only to tell what a path names, directories included: a path descriptor opens nothing.
    if (access == FILE_READ_ATTRIBUTES && (flags & FILE_FLAG_BACKUP_SEMANTICS) != 0)
        return openhandle(posix, O_PATH | O_CLOEXEC, false);
    errno = EINVAL;
    return INVALID_HANDLE_VALUE;
}

BOOL GetFileTime(HANDLE handle, FILETIME *creation, FILETIME *lastaccess, FILETIME *lastwrite)
{
    const File *file = asfile(handle);
    FILETIME c{}, a{}, w{};
    if (!tofiletime(file->creation, c) || !tofiletime(file->lastaccess, a) ||
        !tofiletime(file->lastwrite, w)) {
        errno = EOVERFLOW;
        return FALSE;
    }
    if (creation != nullptr)
        *creation = c;
    if (lastaccess != nullptr)
        *lastaccess = a;
    if (lastwrite != nullptr)
        *lastwrite = w;
    return TRUE;
}

BOOL SetFileTime(HANDLE handle, const FILETIME *creation, const FILETIME *lastaccess,
                 const FILETIME *lastwrite)
{
    File *file = asfile(handle);
    // The program writes the last-write time alone; nothing else is offered here.
    if (creation != nullptr || lastaccess != nullptr) {
        errno = ENOTSUP;
        return FALSE;
    }
    if (lastwrite == nullptr)
        return TRUE;
    if ((lastwrite->dwHighDateTime & 0x80000000u) != 0) {
        errno = EINVAL;
        return FALSE;
    }

    timespec wanted = totimespec(*lastwrite, file->lastwrite.tv_nsec % 100);
    bool common = heldeverywhere(wanted);
    if (file->keeping == Keeping::cached && !common) {
        errno = ERANGE;
        return FALSE;
    }
    timespec times[2] = {{0, UTIME_OMIT}, wanted};
    if (futimens(file->fd, times) != 0)
        return FALSE;

    if ((file->keeping != Keeping::asgiven || !common) && !stored(file->fd, wanted)) {
        // exFAT and FAT through FUSE drop a write of the last-write time alone and keep one
        // that gives both times: the access time goes along as it was read at the open.
        times[0] = file->lastaccess;
        if (futimens(file->fd, times) != 0 || !stored(file->fd, wanted)) {
            // The file system cannot hold the time: the file keeps the one it had.
            times[1] = file->lastwrite;
            futimens(file->fd, times);
            errno = ERANGE;
            return FALSE;
        }
    }
    file->lastwrite = wanted;
    return TRUE;
}

BOOL GetFileInformationByHandle(HANDLE handle, BY_HANDLE_FILE_INFORMATION *information)
{
    const File *file = asfile(handle);
    // A device number takes 64 bits; every device in use fits in the low 32, and folding the
    // high half in keeps most of the others apart.
    uint64_t device = uint64_t(file->device);
    information->dwVolumeSerialNumber = DWORD(device ^ (device >> 32));
    information->nNumberOfLinks = DWORD(file->links);
    information->nFileIndexHigh = DWORD(uint64_t(file->inode) >> 32);
    information->nFileIndexLow = DWORD(uint64_t(file->inode));
    return TRUE;
}

BOOL CloseHandle(HANDLE handle)
{
    File *file = asfile(handle);
    int result = close(file->fd);
    delete file;
    return result == 0 ? TRUE : FALSE;
}
