#include "cli/settings.h"
#include "filetime/filetime.h"

#include <cstdio>

// The files with more than one name that this run has shifted: a second name of one of them
// must not shift it again. Files with one name, nearly all, are never remembered.
static IdSet shiftedlinks;

// Whether the open file is one with several names that was already shifted under another.
// A file whose identity cannot be read is taken to have one name.
static bool shiftedbefore(HANDLE file, BY_HANDLE_FILE_INFORMATION &information, bool &linked)
{
    linked = GetFileInformationByHandle(file, &information) && information.nNumberOfLinks > 1;
    return linked && knownid(shiftedlinks, information);
}

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
        BY_HANDLE_FILE_INFORMATION information;
        bool linked = false;
        stage = "GetFileTime";
        if (!GetFileTime(file, &creation, &lastaccess, &lastwrite)) {
            failed = true;
        } else if (!shiftedbefore(file, information, linked)) {
            shifttime(lastwrite, settings.minutes);
            stage = "SetFileTime";
            failed = !SetFileTime(file, nullptr, nullptr, &lastwrite);
            if (!failed && linked)
                rememberid(shiftedlinks, information);
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
