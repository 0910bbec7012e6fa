// The run's settings: filled once from the command line, only read afterwards.
#pragma once

#include <cstdint>

struct RunSettings {
    const char *afn = nullptr; // the file argument exactly as given; null until one is
    int32_t minutes = 0;       // the shift; 0 until given, and 0 is refused
    bool recurse = false;      // "d": the same pattern in every subdirectory
    bool verbose = false;      // "v": report lines
};

extern RunSettings settings;
