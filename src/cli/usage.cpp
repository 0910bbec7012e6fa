#include "cli/usage.h"

#include <cstdio>
#include <cstdlib>

void usage()
{
    std::fputs("zamtik afn -mMinutes        " __DATE__ "\n"
               "adjust the file time of afn by minutes (signed).\n"
               "-d  recurse subdirectories.   -v verbose.\n",
               stdout);
    std::exit(7);
}
