// Windows' wildcard rules. The listing first rewrites the pattern as Windows does (a "*.*"
// matches everything; "?" becomes a DOS question mark; "*" before a dot a DOS star; a dot
// before "?" or "*" a DOS dot; dots at the end are dropped), then matches it:
//   *   any run of bytes;
//   <   (DOS star) any run of bytes that does not take the name's last dot;
//   >   (DOS question mark) one byte other than a dot, or nothing at a dot or at the end;
//   "   (DOS dot) a dot, or nothing at the end of the name;
// and any other byte itself, ASCII letters without regard to case.
#include "posix.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{

constexpr char dosstar = '<';
constexpr char dosqm = '>';
constexpr char dosdot = '"';

char fold(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string translate(const std::string &pattern)
{
    size_t kept = pattern.find_last_not_of('.') + 1; // npos + 1 == 0: only dots
    // A name made of dots only names a directory, and "." and ".." are entries of their own.
    if (kept == 0)
        return pattern;
    if (pattern.compare(0, kept, "*.*") == 0)
        return "*";
    std::string expression;
    for (size_t i = 0; i < kept; ++i) {
        char c = pattern[i];
        char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '?')
            c = dosqm;
        else if (c == '*' && next == '.')
            c = dosstar;
        else if (c == '.' && (next == '?' || next == '*'))
            c = dosdot;
        expression += c;
    }
    return expression;
}

// Adds the expression positions reachable without taking a byte, at name position at.
void takenothing(const std::string &expression, const char *name, size_t at, size_t length,
                 std::vector<char> &states)
{
    bool end = at == length;
    for (size_t i = 0; i < expression.size(); ++i) {
        if (!states[i])
            continue;
        char e = expression[i];
        if (e == '*' || e == dosstar || (e == dosqm && (end || name[at] == '.')) ||
            (e == dosdot && end))
            states[i + 1] = 1;
    }
}

// Whether the byte strings are equal, ASCII letters without regard to case.
bool sameletters(const char *a, const char *b, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

bool general(const Wildcard &wildcard, const char *name, size_t length)
{
    const std::string &expression = wildcard.expression;
    const char *lastdot = std::strrchr(name, '.');
    std::vector<char> &states = wildcard.states, &next = wildcard.next;
    states.assign(expression.size() + 1, 0);
    next.assign(expression.size() + 1, 0);

    // A set of positions in the expression, moved along the name one byte at a time: time
    // grows with the product of the lengths, never exponentially.
    states[0] = 1;
    for (size_t at = 0; at < length; ++at) {
        takenothing(expression, name, at, length, states);
        char c = name[at];
        std::fill(next.begin(), next.end(), 0);
        for (size_t i = 0; i < expression.size(); ++i) {
            if (!states[i])
                continue;
            switch (expression[i]) {
            case '*':
                next[i] = 1;
                break;
            case dosstar:
                if (name + at != lastdot)
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
                if (fold(expression[i]) == fold(c))
                    next[i + 1] = 1;
                break;
            }
        }
        if (std::find(next.begin(), next.end(), 1) == next.end())
            return false;
        states.swap(next);
    }
    takenothing(expression, name, length, length, states);
    return states[expression.size()] != 0;
}

} // namespace

Wildcard wildcompile(const char *pattern)
{
    Wildcard wildcard;
    wildcard.expression = translate(pattern);
    const std::string &e = wildcard.expression;
    // The shapes nearly every pattern has get a short cut: everything, or a star (plain or
    // DOS) followed by letters alone.
    bool wild = false;
    for (size_t i = 1; i < e.size(); ++i)
        wild = wild || e[i] == '*' || e[i] == dosstar || e[i] == dosqm || e[i] == dosdot;
    if (e == "*")
        wildcard.shape = Wildcard::everything;
    else if (!e.empty() && (e[0] == '*' || e[0] == dosstar) && !wild)
        wildcard.shape = e[0] == '*' ? Wildcard::endswith : Wildcard::endswithafterdot;
    else
        wildcard.shape = Wildcard::general;
    return wildcard;
}

bool wildmatch(const Wildcard &wildcard, const char *name)
{
    size_t length = std::strlen(name);
    if (wildcard.shape == Wildcard::everything)
        return true;
    if (wildcard.shape == Wildcard::general)
        return general(wildcard, name, length);

    // A star and then letters: the name must end in those letters.
    const char *letters = wildcard.expression.c_str() + 1;
    size_t tail = wildcard.expression.size() - 1;
    if (length < tail || !sameletters(name + length - tail, letters, tail))
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
