// Windows' wildcard rules, over names read as Windows reads them. A name and a pattern are
// sequences of UTF-16 units: each character of the Basic Multilingual Plane one unit, each
// beyond it two; a byte that is not part of valid UTF-8 is one unit of its own that only that
// byte matches. Units compare by their simple uppercase mapping, as Windows compares them.
//
// The listing first rewrites the pattern as Windows does (a "*.*" matches everything; "?"
// becomes a DOS question mark; "*" before a dot a DOS star; a dot before "?" or "*" a DOS
// dot; dots at the end are dropped), then matches it:
//   *   any run of units;
//   <   (DOS star) any run of units that does not take the name's last dot;
//   >   (DOS question mark) one unit other than a dot, or nothing at a dot or at the end;
//   "   (DOS dot) a dot, or nothing at the end of the name;
// and any other unit itself.
#include "posix.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{

constexpr char32_t dosstar = '<';
constexpr char32_t dosqm = '>';
constexpr char32_t dosdot = '"';
constexpr char32_t rawbyte = 0x110000; // plus the byte: a byte that is not part of UTF-8

// The length of the UTF-8 sequence that starts with lead and the bits it holds, or 0.
size_t sequence(unsigned char lead, char32_t &bits)
{
    if (lead < 0x80) {
        bits = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        bits = lead & 0x1F;
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        bits = lead & 0x0F;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        bits = lead & 0x07;
        return 4;
    }
    return 0;
}

void decode(const char *text, size_t length, std::u32string &units)
{
    units.clear();
    const auto *bytes = reinterpret_cast<const unsigned char *>(text);
    for (size_t i = 0; i < length;) {
        char32_t c = 0;
        size_t n = sequence(bytes[i], c);
        bool valid = n != 0 && i + n <= length;
        for (size_t k = 1; valid && k < n; ++k) {
            valid = (bytes[i + k] & 0xC0) == 0x80;
            c = c << 6 | (bytes[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if (valid && ((n == 3 && c < 0x800) || (n == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
                      (c >= 0xD800 && c <= 0xDFFF)))
            valid = false;
        if (!valid) {
            units.push_back(rawbyte + bytes[i]);
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            units.push_back(0xD800 + (c >> 10));
            units.push_back(0xDC00 + (c & 0x3FF));
        } else {
            units.push_back(c);
        }
        i += n;
    }
}

std::u32string translate(const std::u32string &pattern)
{
    size_t kept = pattern.find_last_not_of(U'.') + 1; // npos + 1 == 0: only dots
    // A name made of dots only names a directory, and "." and ".." are entries of their own.
    if (kept == 0)
        return pattern;
    if (pattern.compare(0, kept, U"*.*") == 0)
        return U"*";
    std::u32string expression;
    for (size_t i = 0; i < kept; ++i) {
        char32_t c = pattern[i];
        char32_t next = i + 1 < pattern.size() ? pattern[i + 1] : 0;
        if (c == '?')
            c = dosqm;
        else if (c == '*' && next == '.')
            c = dosstar;
        else if (c == '.' && (next == '?' || next == '*'))
            c = dosdot;
        else
            c = upcase(c);
        expression += c;
    }
    return expression;
}

// Adds the expression positions reachable without taking a unit, at name position at.
void takenothing(const std::u32string &expression, const std::u32string &name, size_t at,
                 std::vector<char> &states)
{
    bool end = at == name.size();
    for (size_t i = 0; i < expression.size(); ++i) {
        if (!states[i])
            continue;
        char32_t e = expression[i];
        if (e == '*' || e == dosstar || (e == dosqm && (end || name[at] == '.')) ||
            (e == dosdot && end))
            states[i + 1] = 1;
    }
}

// Whether the ASCII byte strings are equal, letters without regard to case.
bool sameletters(const char *a, const char *b, size_t length)
{
    auto fold = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    for (size_t i = 0; i < length; ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

bool general(const Wildcard &wildcard, const char *text, size_t length)
{
    const std::u32string &expression = wildcard.expression;
    std::u32string &name = wildcard.name;
    decode(text, length, name);
    size_t lastdot = name.rfind(U'.');
    std::vector<char> &states = wildcard.states, &next = wildcard.next;
    states.assign(expression.size() + 1, 0);
    next.assign(expression.size() + 1, 0);

    // A set of positions in the expression, moved along the name one unit at a time: time
    // grows with the product of the lengths, never exponentially.
    states[0] = 1;
    for (size_t at = 0; at < name.size(); ++at) {
        takenothing(expression, name, at, states);
        char32_t c = name[at];
        char32_t upper = upcase(c);
        std::fill(next.begin(), next.end(), 0);
        for (size_t i = 0; i < expression.size(); ++i) {
            if (!states[i])
                continue;
            switch (expression[i]) {
            case '*':
                next[i] = 1;
                break;
            case dosstar:
                if (at != lastdot)
                    next[i] = 1;
                break;
            case dosqm:
                if (c != '.')
                    next[i + 1] = 1;
                break;
            case dosdot:
                if (c == '.')
                    next[i + 1] = 1;
                break;
            default:
                if (expression[i] == upper)
                    next[i + 1] = 1;
                break;
            }
        }
        if (std::find(next.begin(), next.end(), 1) == next.end())
            return false;
        states.swap(next);
    }
    takenothing(expression, name, name.size(), states);
    return states[expression.size()] != 0;
}

} // namespace

Wildcard wildcompile(const char *pattern)
{
    Wildcard wildcard;
    std::u32string units;
    decode(pattern, std::strlen(pattern), units);
    wildcard.expression = translate(units);
    const std::u32string &e = wildcard.expression;
    // The shapes nearly every pattern has get a short cut for ASCII names: everything, or a
    // star (plain or DOS) followed by ASCII letters alone.
    bool plain = true;
    for (size_t i = 1; i < e.size(); ++i)
        plain = plain && e[i] < 0x80 && e[i] != '*' && e[i] != dosstar && e[i] != dosqm &&
                e[i] != dosdot;
    if (e == U"*") {
        wildcard.shape = Wildcard::everything;
    } else if (!e.empty() && (e[0] == '*' || e[0] == dosstar) && plain) {
        wildcard.shape = e[0] == '*' ? Wildcard::endswith : Wildcard::endswithafterdot;
        wildcard.tail.assign(e.begin() + 1, e.end());
    } else {
        wildcard.shape = Wildcard::general;
    }
    return wildcard;
}

bool wildmatch(const Wildcard &wildcard, const char *name)
{
    if (wildcard.shape == Wildcard::everything)
        return true;
    size_t length = 0;
    unsigned char high = 0;
    for (; name[length] != '\0'; ++length)
        high |= static_cast<unsigned char>(name[length]);
    if (wildcard.shape == Wildcard::general || high >= 0x80)
        return general(wildcard, name, length);

    // A star and then letters: the name must end in those letters.
    const std::string &letters = wildcard.tail;
    size_t tail = letters.size();
    if (length < tail || !sameletters(name + length - tail, letters.data(), tail))
        return false;
    if (wildcard.shape == Wildcard::endswith)
        return true;
    // The DOS star takes what comes before the letters, but never the name's last dot.
    const char *lastdot = std::strrchr(name, '.');
    return lastdot == nullptr || lastdot >= name + length - tail;
}

bool wildmatch(const char *pattern, const char *name)
{
    return wildmatch(wildcompile(pattern), name);
}
