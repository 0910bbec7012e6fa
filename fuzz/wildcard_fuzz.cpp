// The listing's wildcard matcher against a plain reference written here from Windows' rules:
// the name and the pattern read as UTF-16 units (a byte that is not part of UTF-8 a unit of
// its own), the pattern rewritten into DOS wildcards, then matched by trying every way, with
// a table of what was tried so that it stays quick. Units compare by Unicode's simple
// uppercase mapping, the table the listing uses.
#include "platform/posix/posix.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// UTF-8 to UTF-16 units, the long way: a valid sequence is the shortest form of a scalar
// value; every byte of anything else stands for itself, above every Unicode value.
std::u32string units(const std::string &text)
{
    std::u32string out;
    size_t i = 0;
    while (i < text.size()) {
        auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
        size_t n = byte(i) < 0x80       ? 1
                   : byte(i) >> 5 == 6  ? 2
                   : byte(i) >> 4 == 14 ? 3
                   : byte(i) >> 3 == 30 ? 4
                                        : 0;
        char32_t c = n == 1 ? byte(i) : n == 2 ? byte(i) & 31 : n == 3 ? byte(i) & 15 : byte(i) & 7;
        bool ok = n != 0 && i + n <= text.size();
        for (size_t k = 1; ok && k < n; ++k) {
            ok = byte(i + k) >> 6 == 2;
            c = c << 6 | (byte(i + k) & 63);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        ok = ok && c >= least[n] && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000);
        if (!ok) {
            out += char32_t(0x110000 + byte(i));
            i += 1;
        } else if (c > 0xFFFF) {
            out += char32_t(0xD800 + ((c - 0x10000) >> 10));
            out += char32_t(0xDC00 + ((c - 0x10000) & 0x3FF));
            i += n;
        } else {
            out += c;
            i += n;
        }
    }
    return out;
}

// Windows' rewriting: dots at the end dropped (a pattern of dots alone kept as it is), "*.*"
// for "*"; then "?" a DOS question mark (>), "*" before a dot a DOS star (<), and a dot
// before "*" or "?" a DOS dot (").
std::u32string rewrite(const std::u32string &p)
{
    size_t end = p.size();
    while (end > 0 && p[end - 1] == '.')
        --end;
    if (end == 0)
        return p;
    if (p.substr(0, end) == U"*.*")
        return U"*";
    std::u32string e;
    for (size_t i = 0; i < end; ++i) {
        char32_t next = i + 1 < p.size() ? p[i + 1] : 0;
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
    const std::u32string &e;
    const std::u32string &n;
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
            char32_t c = e[i];
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
                r = !end && upcase(c) == upcase(n[j]) && match(i + 1, j + 1);
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

    std::u32string e = rewrite(units(pattern));
    std::u32string n = units(name);
    Reference reference{e, n, n.rfind(U'.'),
                        std::vector<signed char>((e.size() + 1) * (n.size() + 1), -1)};
    if (wildmatch(pattern.c_str(), name.c_str()) != reference.match(0, 0))
        std::abort();
    return 0;
}
