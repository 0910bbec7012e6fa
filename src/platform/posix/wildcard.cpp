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

// The expression positions reachable without taking a byte, at name position at.
void close(const std::string &expression, const char *name, size_t at, size_t length,
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

} // namespace

bool wildmatch(const char *pattern, const char *name)
{
    std::string expression = translate(pattern);
    size_t length = std::strlen(name);
    const char *lastdot = std::strrchr(name, '.');

    // A set of positions in the expression, moved along the name one byte at a time: time
    // grows with the product of the lengths, never exponentially.
    std::vector<char> states(expression.size() + 1, 0), next(expression.size() + 1, 0);
    states[0] = 1;
    for (size_t at = 0; at < length; ++at) {
        close(expression, name, at, length, states);
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
    close(expression, name, length, length, states);
    return states[expression.size()] != 0;
}
