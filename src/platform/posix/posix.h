// Helpers shared by the POSIX implementation of the Win32 calls; not seen by the logic.
#pragma once

#include "win32.h"

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

// Copies path into out with every "\" turned into "/"; false when it does not fit size bytes.
bool posixpath(const char *path, char *out, size_t size);

// Whether name matches pattern by Windows' wildcard rules ("*", "?" and the DOS rules for
// dots, ASCII letters without regard to case; "*.*" matches every name).
bool wildmatch(const char *pattern, const char *name);

// Makes IsDBCSLeadByte answer as Windows does in code page 932 (Shift JIS), where the second
// byte of a character may be a backslash; for tests of the path rules. Off by default.
void usecodepage932(bool on);

// A pattern rewritten once, as Windows does, to match many names.
struct Wildcard {
    std::string expression;
    enum { everything, endswith, endswithafterdot, general } shape;
    mutable std::vector<char> states, next; // room to match in, kept between names
};
Wildcard wildcompile(const char *pattern);
bool wildmatch(const Wildcard &wildcard, const char *name);

// A system time as a FILETIME; false when it lies before 1601 or past what a FILETIME without
// its top bit holds.
bool tofiletime(const timespec &time, FILETIME &filetime);

// A FILETIME (top bit clear) as a system time, with nanoseconds added below its 100 ns steps.
timespec totimespec(const FILETIME &filetime, long extrananoseconds);

// For a path in a directory that a listing has open, that directory's descriptor, with name
// set to the rest of the path; otherwise AT_FDCWD and the whole path. A file opened through
// it is the one the listing yielded, and its name is not looked up again from the start.
int listingdirectory(const char *path, const char *&name);

// open(2) that, when the process has run out of descriptors, raises the soft limit to the
// hard one and tries once more: a deep walk holds one open listing per level.
int openretry(const char *path, int flags);
int openretry(int dirfd, const char *path, int flags);
