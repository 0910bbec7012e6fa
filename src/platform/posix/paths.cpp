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

static bool codepage932 = false;

void usecodepage932(bool on)
{
    codepage932 = on;
}

BOOL IsDBCSLeadByte(BYTE b)
{
    // Shift JIS lead bytes; UTF-8, the system's own encoding, has none.
    return codepage932 && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
}
