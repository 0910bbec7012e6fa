#include "posix.h"

#include <cstring>

static char fold(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool wildmatch(const char *pattern, const char *name)
{
    if (std::strcmp(pattern, "*.*") == 0)
        return true;

    // Greedy match that remembers the last "*": on a mismatch the star takes one more byte.
    // Each byte of the name is retried at most once per star, so there is no blow-up.
    const char *star = nullptr;
    const char *resume = nullptr;
    while (*name != '\0') {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern != '\0' && (*pattern == '?' || fold(*pattern) == fold(*name))) {
            ++pattern;
            ++name;
        } else if (star != nullptr) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}
