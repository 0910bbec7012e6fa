// The listing's wildcard matcher against a plain reference written here from Windows' rules:
// the pattern rewritten into DOS wildcards, then matched by trying every way, with a table
// of what was tried so that it stays quick.
#include "platform/posix/posix.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

// Windows' rewriting: dots at the end dropped (a pattern of dots alone kept as it is), "*.*"
// for "*"; then "?" a DOS question mark (>), "*" before a dot a DOS star (<), and a dot
// before "*" or "?" a DOS dot (").
std::string rewrite(const std::string &p)
{
    size_t end = p.size();
    while (end > 0 && p[end - 1] == '.')
        --end;
    if (end == 0)
        return p;
    if (p.substr(0, end) == "*.*")
        return "*";
    std::string e;
    for (size_t i = 0; i < end; ++i) {
        char next = i + 1 < p.size() ? p[i + 1] : 0;
        if (p[i] == '?')
            e += '>';
        else if (p[i] == '*' && next == '.')
            e += '<';
        else if (p[i] == '.' && (next == '*' || next == '?'))
            e += '"';
        else
            e += p[i];
    }
    return e;
}

struct Reference {
    const std::string &e;
    const std::string &n;
    size_t lastdot; // npos when the name has no dot
    std::vector<signed char> memo;

    bool match(size_t i, size_t j)
    {
        signed char &m = memo[i * (n.size() + 1) + j];
        if (m >= 0)
            return m;
        bool r;
        if (i == e.size()) {
            r = j == n.size();
        } else {
            char c = e[i];
            bool end = j == n.size();
            if (c == '*') {
                r = match(i + 1, j) || (!end && match(i, j + 1));
            } else if (c == '<') {
                r = match(i + 1, j) || (!end && j != lastdot && match(i, j + 1));
            } else if (c == '>') {
                r = (!end && n[j] != '.' && match(i + 1, j + 1)) ||
                    ((end || n[j] == '.') && match(i + 1, j));
            } else if (c == '"') {
                r = (!end && n[j] == '.' && match(i + 1, j + 1)) || (end && match(i + 1, j));
            } else {
                r = !end && lower(c) == lower(n[j]) && match(i + 1, j + 1);
            }
        }
        m = r;
        return r;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The pattern, a NUL, then the name; a name holds no NUL and no "/".
    const char *bytes = reinterpret_cast<const char *>(data);
    const char *split = static_cast<const char *>(std::memchr(bytes, 0, size));
    if (split == nullptr)
        return 0;
    std::string pattern(bytes, split);
    std::string name(split + 1, bytes + size);
    if (name.empty() || name.size() > 255 || name.find('\0') != std::string::npos ||
        name.find('/') != std::string::npos || pattern.size() > 255)
        return 0;

    std::string e = rewrite(pattern);
    Reference reference{e, name, name.rfind('.'),
                        std::vector<signed char>((e.size() + 1) * (name.size() + 1), -1)};
    if (wildmatch(pattern.c_str(), name.c_str()) != reference.match(0, 0))
        std::abort();
    return 0;
}
