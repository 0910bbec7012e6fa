// Shifting the last-write time of one file.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <string>
#include <tuple>

// Moves the last-write time of the file at path by the run's minutes; in verbose mode reports
// the outcome on standard output. Failures are reported, never passed back.
void adjustfile(std::string path);

// Moves a FILETIME by minutes, modulo 2^64.
void shifttime(FILETIME &time, int32_t minutes);

// What a file or directory is, whatever name reaches it: volume and file index.
using FileId = std::tuple<DWORD, DWORD, DWORD>;

FileId fileid(const BY_HANDLE_FILE_INFORMATION &information);
