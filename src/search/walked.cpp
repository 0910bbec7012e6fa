#include "filetime/filetime.h"
#include "search/search.h"

// Every directory this run has walked, by identity: links can reach one directory by many
// paths, and walking it twice would shift its files twice, or never end.
static IdSet walked;

bool firstvisit(std::string dir)
{
    HANDLE handle = CreateFileA(dir.empty() ? "." : dir.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information;
    BOOL known = GetFileInformationByHandle(handle, &information);
    CloseHandle(handle);
    return known && rememberid(walked, information);
}
