#include "posix.h"

bool posixpath(const char *path, char *out, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        out[i] = path[i] == '\\' ? '/' : path[i];
        if (path[i] == '\0')
            return true;
    }
    return false;
}

BOOL IsDBCSLeadByte(BYTE)
{
    return FALSE;
}
