#include "cli/settings.h"
#include "filetime/filetime.h"

#include <cstdio>

void adjustfile(std::string path)
{
    const char *stage = "CreateFile";
    bool failed = false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_ALL, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool opened = file != INVALID_HANDLE_VALUE;
    if (!opened) {
        failed = true;
    } else {
        FILETIME creation, lastaccess, lastwrite;
        stage = "GetFileTime";
        if (!GetFileTime(file, &creation, &lastaccess, &lastwrite)) {
            failed = true;
        } else {
            shifttime(lastwrite, settings.minutes);
            stage = "SetFileTime";
            failed = !SetFileTime(file, nullptr, nullptr, &lastwrite);
        }
    }

    if (settings.verbose) {
        if (failed)
            std::printf("zamtik:%s didn't work in %s\n", path.c_str(), stage);
        else
            std::printf("zamtik:%s\n", path.c_str());
    }
    if (opened)
        CloseHandle(file);
}
