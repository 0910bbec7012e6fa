#include "search/search.h"

#include <cstring>

static constexpr DWORD filterset =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

int dirfirst(std::string pattern, DirSearch &search, DWORD mask)
{
    search.pattern = std::move(pattern);
    search.mask = mask;
    search.handle = nullptr;
    return dirnext(search);
}

int dirnext(DirSearch &search)
{
    WIN32_FIND_DATAA entry;
    for (;;) {
        if (search.handle == nullptr) {
            HANDLE handle = FindFirstFileA(search.pattern.c_str(), &entry);
            if (handle == INVALID_HANDLE_VALUE)
                return 1;
            search.handle = handle;
        } else if (!FindNextFileA(search.handle, &entry)) {
            return 1;
        }
        DWORD bits = entry.dwFileAttributes;
        if ((bits & filterset) != 0 && (bits & search.mask & filterset) == 0)
            continue;
        // A name that fills the record may have been cut short to fit, at a character of up
        // to four bytes (Windows' ANSI record holds 259 bytes; 90 CJK characters take 270 in
        // UTF-8). Cut, it names another file or none: such an entry is passed over.
        if (std::strlen(entry.cFileName) + 4 >= sizeof entry.cFileName)
            continue;
        search.attrib = bits;
        search.name = entry.cFileName;
        return 0;
    }
}

void dirclose(DirSearch &search)
{
    if (search.handle != nullptr)
        FindClose(search.handle);
    search.handle = nullptr;
}
