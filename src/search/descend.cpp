#include "search/search.h"

void descend(std::string afn)
{
    ++recursion;
    std::string dir;
    dirsplit(afn, dir, afn); // from here on afn is the name pattern alone
    dir = dirslash(dir);
    if (recursion == 1)
        firstvisit(dir); // the pattern's own directory is walked already

    DirSearch search;
    for (int last = dirfirst(dir + "*", search, FILE_ATTRIBUTE_DIRECTORY);
         last == 0 && !stopasked(); last = dirnext(search)) {
        if ((search.attrib & FILE_ATTRIBUTE_DIRECTORY) == 0 || search.name == "." ||
            search.name == "..")
            continue;
        std::string sub = dirslash(dir + search.name);
        if (firstvisit(sub))
            findrecurse(sub + afn);
    }
    dirclose(search);
    --recursion;
}
