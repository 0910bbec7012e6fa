// Reading the command line into the run's settings.
#pragma once

#include <cstdint>

// Reads the arguments after the program name into settings, left to right. False when the
// command line is unusable and the usage text must follow; reading stops at the first
// argument that makes it so.
bool readargs(int argc, char **argv);

// The number at the start of text, read as atol reads one: leading white space, one optional
// sign, then digits up to the first other byte; no digits give 0. False, leaving minutes
// alone, when the number lies outside the 32-bit signed range.
bool readminutes(const char *text, int32_t &minutes);
