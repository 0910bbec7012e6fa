#pragma once

// Prints the usage text on standard output and ends the process with status 7.
[[noreturn]] void usage();
