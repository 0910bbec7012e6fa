#include "cli/settings.h"
#include "search/search.h"

#include <cstdio>

int32_t recursion = 0;

int findrecurse(std::string afn)
{
    if (settings.verbose)
        std::fprintf(stderr, "zamtik:findrecurse(\"%s\"):recursion %d\n", afn.c_str(), recursion);
    findify(afn);
    if (settings.recurse && !stopasked())
        descend(afn);
    return 0;
}
