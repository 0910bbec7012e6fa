// Splitting any path: the directory part followed by the name part gives back the input,
// apart from the one separator that the split may insert after a dot name it moved into the
// directory part; and dirslash ends a non-empty text in a separator, adding one at most,
// once.
#include "search/search.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string path(reinterpret_cast<const char *>(data), size);
    std::string dir, name;
    dirsplit(path, dir, name);
    std::string joined = dir + name;
    bool inserted =
        !dir.empty() && dir.back() == sepchar && dir.substr(0, dir.size() - 1) + name == path;
    if (joined != path && !inserted)
        std::abort();

    std::string alias = path, aliasdir;
    dirsplit(alias, aliasdir, alias); // name written over the input
    if (aliasdir != dir || alias != name)
        std::abort();

    std::string slashed = dirslash(dir);
    bool bare = dospaths && dir.size() == 2 && dir[1] == ':';
    if (!dir.empty() && !bare &&
        std::string_view(dirends).find(slashed.back()) == std::string::npos)
        std::abort();
    if (slashed.compare(0, dir.size(), dir) != 0 || slashed.size() > dir.size() + 1)
        std::abort();
    if (dirslash(slashed) != slashed)
        std::abort();
    return 0;
}
