// Helpers shared by the POSIX implementation of the Win32 calls; not seen by the logic.
#pragma once

#include "win32.h"

#include <cstddef>
#include <ctime>

// Copies path into out with every "\" turned into "/"; false when it does not fit size bytes.
bool posixpath(const char *path, char *out, size_t size);

// Whether name matches pattern by Windows' wildcard rules ("*", "?" and the DOS rules for
// dots, ASCII letters without regard to case; "*.*" matches every name).
bool wildmatch(const char *pattern, const char *name);

// A system time as a FILETIME; false when it lies before 1601 or past what a FILETIME without
// its top bit holds.
bool tofiletime(const timespec &time, FILETIME &filetime);

// A FILETIME (top bit clear) as a system time, with nanoseconds added below its 100 ns steps.
timespec totimespec(const FILETIME &filetime, long extrananoseconds);

// open(2) that, when the process has run out of descriptors, raises the soft limit to the
// hard one and tries once more: a deep walk holds one open listing per level.
int openretry(const char *path, int flags);
