// The one seam between the program and the operating system. It gives the logic the Win32
// names it calls on every platform: the real ones from <windows.h> on Windows, the project's
// own POSIX implementation of the same calls elsewhere.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// Paths may start with a drive designator such as "C:", and a "..." component means the
// parent directory followed by ".".
inline constexpr bool dospaths = true;
#else
#include "posix/win32.h"

// A colon is an ordinary character, and every dot name but "." and ".." is an ordinary name.
inline constexpr bool dospaths = false;
#endif
