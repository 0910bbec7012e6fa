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
// The separator the program writes, and the bytes after which a directory part needs none:
// Windows writes "\" and appends one after a "/" too.
inline constexpr char sepchar = '\\';
inline constexpr char dirends[] = "\\";
// An argument that starts with "/" makes "/" the option character, as in Windows' own
// commands.
inline constexpr bool slashoptions = true;
#else
#include "posix/win32.h"

// A colon is an ordinary character, and every dot name but "." and ".." is an ordinary name.
inline constexpr bool dospaths = false;
// Paths are written with "/", so that every path printed names its file; a "\" typed in a
// pattern still separates, and ends a directory part as it stands.
inline constexpr char sepchar = '/';
inline constexpr char dirends[] = "/\\";
// "/" starts an absolute path, never an option.
inline constexpr bool slashoptions = false;
#endif

// Where a console shows the output, it shows UTF-8 while the program runs, so that names
// print as they are (on Windows, whose consoles have a code page of their own).
void utf8console();

// Stopping a run on request: Ctrl-C, Ctrl-Break or closing the console on Windows; SIGINT,
// SIGTERM or SIGHUP elsewhere. After catchstops, such a request no longer ends the process
// at once: stopasked turns true, the run ends after the file in hand, and endstopped then
// writes out what is buffered and ends the process as the request would have ended it.
void catchstops();
bool stopasked();
[[noreturn]] void endstopped();
