#include "cli/args.h"

#include "cli/settings.h"
#include "platform/platform.h"

static bool isblankspace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool readminutes(const char *text, int32_t &minutes)
{
    while (isblankspace(*text))
        ++text;
    bool negative = *text == '-';
    if (*text == '+' || *text == '-')
        ++text;
    int64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > int64_t(INT32_MAX) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        return false;
    minutes = int32_t(value);
    return true;
}

bool readargs(int argc, char **argv)
{
    // Options start with "-"; where "/" may start them too, from the first argument that
    // starts with "/" on, only "/" does.
    char optchar = '-';
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (slashoptions && arg[0] == '/')
            optchar = '/';
        if (arg[0] != optchar) {
            if (settings.afn != nullptr)
                return false;
            settings.afn = arg;
            continue;
        }
        // Only the second character decides; the rest is ignored ("-dv" is "-d").
        switch (arg[1]) {
        case '\0':
            break;
        case 'd':
            settings.recurse = true;
            break;
        case 'm':
            if (!readminutes(arg + 2, settings.minutes))
                return false;
            break;
        case 'v':
            settings.verbose = true;
            break;
        default:
            return false;
        }
    }
    return settings.afn != nullptr && settings.minutes != 0;
}
