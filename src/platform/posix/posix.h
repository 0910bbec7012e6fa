// Helpers shared by the POSIX implementation of the Win32 calls; not seen by the logic.
#pragma once

#include "win32.h"

#include <cstddef>
#include <ctime>
#include <string>
#include <sys/types.h>
#include <vector>

// Copies path into out with every "\" turned into "/"; false when it does not fit size bytes.
bool posixpath(const char *path, char *out, size_t size);

// Whether name matches pattern by Windows' wildcard rules ("*", "?" and the DOS rules for
// dots; "*.*" matches every name), both read as UTF-8 and compared as Windows compares
// names: UTF-16 units, each upcased.
bool wildmatch(const char *pattern, const char *name);

// A UTF-16 unit upcased as Windows upcases names: by Unicode's simple uppercase mapping
// where that uppercase letter lowers to the unit again. Any other value stays as it is.
char32_t upcase(char32_t unit);

// Makes IsDBCSLeadByte answer as Windows does in code page 932 (Shift JIS), where the second
// byte of a character may be a backslash; for tests of the path rules. Off by default.
void usecodepage932(bool on);

// A pattern rewritten once, as Windows does, to match many names.
struct Wildcard {
    std::u32string expression; // in UTF-16 units, letters upcased, with the DOS wildcards
    std::string tail;          // for the star shapes: the ASCII letters after the star
    enum { everything, endswith, endswithafterdot, general } shape;
    // Room to match in, kept from one name to the next.
    mutable std::u32string name;
    mutable std::vector<char> states, next;
};
Wildcard wildcompile(const char *pattern);
bool wildmatch(const Wildcard &wildcard, const char *name);

// A system time as a FILETIME; false when it lies before 1601 or past what a FILETIME without
// its top bit holds.
bool tofiletime(const timespec &time, FILETIME &filetime);

// A FILETIME (top bit clear) as a system time, with nanoseconds added below its 100 ns steps.
timespec totimespec(const FILETIME &filetime, long extrananoseconds);

// How far a file system's answer to a write of a time can be taken.
enum class Keeping {
    // ext2/3/4, xfs, btrfs, tmpfs: a time is stored as given; one the file system cannot
    // hold is clamped or cut where the kernel writes it, and shows so when read back.
    asgiven,
    // Another of the kernel's file systems: what it stored shows when read back.
    readback,
    // FUSE: the program behind the mount may answer from its memory with a time that it
    // never stores (exFAT through FUSE does so past 2107 and before 1980); only a time that
    // every file system holds can be written and checked.
    cached,
};

// How the file system of the open file fd keeps the times written to it.
Keeping keepingof(int fd);

// The file system a directory is on: its device, and how it keeps times.
struct Volume {
    dev_t device;
    Keeping keeping;
};

// For a path in a directory that a listing has open, that directory's descriptor, with name
// set to the rest of the path and volume to what the listing knows of its file system;
// otherwise AT_FDCWD, the whole path and no volume. A file opened through it is the one the
// listing yielded, and its name is not looked up again from the start.
int listingdirectory(const char *path, const char *&name, const Volume *&volume);

// open(2) that, when the process has run out of descriptors, raises the soft limit to the
// hard one and tries once more: a deep walk holds one open listing per level.
int openretry(const char *path, int flags);
int openretry(int dirfd, const char *path, int flags);
