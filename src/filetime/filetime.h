// Shifting the last-write time of one file.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <string>
#include <vector>

// Moves the last-write time of the file at path by the run's minutes; in verbose mode reports
// the outcome on standard output. Failures are reported, never passed back.
void adjustfile(std::string path);

// Moves a FILETIME by minutes, modulo 2^64.
void shifttime(FILETIME &time, int32_t minutes);

// Files and directories by what they are, whatever name reaches them: volume and file
// index. A walk of a million files remembers ten thousand directories, so each costs a few
// bytes: per volume, an open-addressed table of 64-bit file indexes.
struct IdTable {
    DWORD volume;
    std::vector<uint64_t> slots; // 0 marks a free slot
    size_t count;
    bool haszero; // index 0 is kept apart from the free slots
};
using IdSet = std::vector<IdTable>;

// Whether the set holds the file that information describes.
bool knownid(const IdSet &set, const BY_HANDLE_FILE_INFORMATION &information);

// Adds the file to the set; false when it was there already.
bool rememberid(IdSet &set, const BY_HANDLE_FILE_INFORMATION &information);
