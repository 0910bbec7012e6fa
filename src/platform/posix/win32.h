// The Win32 types, constants and calls that the program uses, for POSIX systems. Only what the
// program relies on is here, with the meaning the program relies on:
//  - paths may use "\" or "/" as separator; "\" is turned into "/" before the system sees it;
//  - a directory listing yields "." and ".." like any other entry, matches the last component
//    of the pattern with "*" and "?" without regard to ASCII case, and marks directories
//    (links to them too) as directories, dot names as hidden, and anything that is neither a
//    regular file nor a directory as a system entry;
//  - a file opened for GENERIC_ALL must be a regular file that has a write permission bit;
//    one opened for FILE_READ_ATTRIBUTES with FILE_FLAG_BACKUP_SEMANTICS may be anything,
//    a directory included, and serves to tell what it is;
//  - file times are read and written through the open file, to the nanosecond.
#pragma once

#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint32_t DWORD;
typedef void *HANDLE;
typedef const char *LPCSTR;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

inline constexpr DWORD MAX_PATH = 260;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(intptr_t(-1));

inline constexpr DWORD GENERIC_ALL = 0x10000000;
inline constexpr DWORD FILE_READ_ATTRIBUTES = 0x80;
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;
inline constexpr DWORD FILE_SHARE_DELETE = 0x4;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD FILE_FLAG_BACKUP_SEMANTICS = 0x02000000;

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// 100-nanosecond intervals since 1601-01-01 00:00 UTC.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

// What identifies a file whatever name reaches it, and how many names it has; nothing else is
// filled in.
struct BY_HANDLE_FILE_INFORMATION {
    DWORD dwVolumeSerialNumber;
    DWORD nNumberOfLinks;
    DWORD nFileIndexHigh;
    DWORD nFileIndexLow;
};

// The two fields of a listing entry that the program reads; nothing else is filled in. The
// name is never cut: its room takes the longest path, and a name holds far less (FUSE file
// systems such as NTFS give up to 765 bytes, 255 UTF-16 units in UTF-8).
struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    char cFileName[4096];
};

HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, void *security, DWORD disposition,
                   DWORD flags, HANDLE templatefile);
BOOL GetFileTime(HANDLE file, FILETIME *creation, FILETIME *lastaccess, FILETIME *lastwrite);
BOOL SetFileTime(HANDLE file, const FILETIME *creation, const FILETIME *lastaccess,
                 const FILETIME *lastwrite);
BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION *information);
BOOL CloseHandle(HANDLE object);

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA *entry);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA *entry);
BOOL FindClose(HANDLE search);

// No byte leads a double-byte character: UTF-8 never puts a separator, dot or colon inside one.
// (Tests may switch to the lead bytes of Shift JIS.)
BOOL IsDBCSLeadByte(BYTE b);
