// Finding the files that match a pattern, one directory at a time.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <string>

// How many descents enclose the current search: 0 for the command line's pattern.
extern int32_t recursion;

// Adjusts the files that match afn in its directory and, with "-d", below it. Returns 0.
int findrecurse(std::string afn);

// Adjusts every ordinary file that matches afn in its own directory.
void findify(std::string afn);

// Runs findrecurse with afn's name pattern in every subdirectory of afn's directory that
// this run has not walked yet, depth first.
void descend(std::string afn);

// True the first time the run asks about the directory dir, however it is named; false after
// that, and when what dir names cannot be told.
bool firstvisit(std::string dir);

// Splits a path into its directory part (with a trailing separator where it has one) and its
// name part; "\\" and "/" both separate. path and name may be the same string.
void dirsplit(std::string path, std::string &dir, std::string &name);

// text with a trailing separator ensured, unless it is empty: sepchar is appended unless
// the text ends in one of dirends.
std::string dirslash(std::string text);

// The last byte of text, or NUL for an empty text.
char lastchar(std::string text);

// A directory listing that admits hidden, system and directory entries only where mask says.
struct DirSearch {
    std::string pattern;
    DWORD mask = 0;
    HANDLE handle = nullptr; // none until the first entry has been fetched
    DWORD attrib = 0;        // the current entry's attribute bits
    std::string name;        // the current entry's name
};

// Starts a listing of pattern and fetches its first admitted entry; 0 when there is one.
int dirfirst(std::string pattern, DirSearch &search, DWORD mask);

// Fetches the next admitted entry; 0 when there is one, non-zero at the end or on failure.
int dirnext(DirSearch &search);

// Ends the listing; harmless when nothing was found.
void dirclose(DirSearch &search);
