// zamtik: moves the last-write time of the files that match a pattern by whole minutes.
#include "cli/args.h"
#include "cli/settings.h"
#include "cli/usage.h"
#include "search/search.h"

#include <string>

int main(int argc, char **argv)
{
    if (!readargs(argc, argv))
        usage();
    return findrecurse(std::string(settings.afn));
}
