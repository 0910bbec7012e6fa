// zamtik: moves the last-write time of the files that match a pattern by whole minutes.
#include "cli/args.h"
#include "cli/settings.h"
#include "cli/usage.h"
#include "platform/platform.h"
#include "search/search.h"

#include <string>

int main(int argc, char **argv)
{
    if (!readargs(argc, argv))
        usage();
    utf8console();
    // From here on an interruption ends the run between two files, so that the report of
    // what was shifted is complete.
    catchstops();
    int status = findrecurse(std::string(settings.afn));
    if (stopasked())
        endstopped();
    return status;
}
