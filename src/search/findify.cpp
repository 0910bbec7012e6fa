#include "cli/settings.h"
#include "filetime/filetime.h"
#include "search/search.h"

#include <cstdio>

void findify(std::string afn)
{
    std::string dir, name;
    dirsplit(afn, dir, name);
    if (settings.verbose)
        std::fprintf(stderr, "zamtik:findify(\"%s\")\n", afn.c_str());

    bool found = false;
    std::string prefix = dirslash(dir);
    DirSearch search;
    for (int last = dirfirst(afn, search, 0); last == 0 && !stopasked(); last = dirnext(search)) {
        found = true;
        adjustfile(prefix + search.name);
    }
    dirclose(search);

    if (settings.verbose && !found && !stopasked())
        std::fprintf(stderr, "zamtik:findify():\"%s%s\" not found.\n", dir.c_str(), name.c_str());
}
