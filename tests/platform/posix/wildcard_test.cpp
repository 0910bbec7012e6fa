#include "platform/posix/posix.h"

#include <gtest/gtest.h>

namespace
{

struct MatchCase {
    const char *pattern;
    const char *name;
    bool matches;
};

class Wildcard : public testing::TestWithParam<MatchCase>
{
};

TEST_P(Wildcard, MatchesAsWindowsDoes)
{
    const MatchCase &c = GetParam();
    EXPECT_EQ(wildmatch(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
}

// What Windows lists for each pattern: its rewriting of "?", "*" and "." into the DOS
// wildcards, then their rules. Long names only: there are no short names here.
INSTANTIATE_TEST_SUITE_P(
    Table, Wildcard,
    testing::Values(
        // "*" and letters
        MatchCase{"*", "anything.jpg", true}, MatchCase{"*", ".", true},
        MatchCase{"**", "abc", true}, MatchCase{"*a", "bba", true},
        MatchCase{"*x*y", "axbxcy", true}, MatchCase{"*x*y", "axbxc", false},
        MatchCase{"abc", "ABC", true}, MatchCase{"abc", "abcd", false},
        MatchCase{"abcd", "abc", false}, MatchCase{"*.jpg", "IMG_0001.JPG", true},
        MatchCase{"*.JPG", "img.jpg", true}, MatchCase{"*.jpg", "a.jpg.bak", false},
        MatchCase{"*.jpg", "jpg", false}, MatchCase{"*.txt", "a.b.txt", true},
        MatchCase{"*.a", "x.a.b", false}, MatchCase{"[ab]", "a", false},
        MatchCase{"[ab]", "[ab]", true},
        // "*.*" is every name, with a dot or without
        MatchCase{"*.*", "noext", true}, MatchCase{"*.*", "..", true},
        MatchCase{"*.*", "a.b.c", true}, MatchCase{"*.*.", "noext", true},
        // "*" before a dot stops at the name's last dot: "*." is the names without one
        MatchCase{"*.", "noext", true}, MatchCase{"*.", "a.b", false},
        MatchCase{"ab*.", "abc", true}, MatchCase{"ab*.", "ab.c", false},
        MatchCase{"a*.*", "abc", true}, MatchCase{"a*.*", "a.b.c", true},
        MatchCase{"a*.*", "b.a", false}, MatchCase{"*.t*", "a.b.txt", true},
        // a dot before "*" or "?" may also stand for the end of the name
        MatchCase{"a.*", "a", true}, MatchCase{"a.*", "a.txt", true}, MatchCase{"a.*", "ab", false},
        MatchCase{".*", ".hidden", true}, MatchCase{".*", "abc", false},
        MatchCase{"a.?", "a", true},
        // "?" is one byte, but never a dot, and nothing at a dot or at the end
        MatchCase{"?", "a", true}, MatchCase{"?", "ab", false}, MatchCase{"??", "a", true},
        MatchCase{"??", "ab", true}, MatchCase{"??", "abc", false}, MatchCase{"??", "a.", false},
        MatchCase{"a?c", "a.c", false}, MatchCase{"a?c", "ac", false},
        MatchCase{"a?c", "abc", true}, MatchCase{"tem?????.???", "temp.txt", true},
        MatchCase{"tem?????.???", "temptemp.txt", true},
        MatchCase{"tem?????.???", "temptempt.txt", false}, MatchCase{"?.?", "a.b", true},
        MatchCase{"a*b?.t*", "aXXbc.txt", true}, MatchCase{"a*b?.t*", "ab.txt", true},
        MatchCase{"a*b?.t*", "abbb.t", true}, MatchCase{"a*b?.t*", "abcd.txt", false},
        // dots at the end are dropped; a name of dots alone stays as it is
        MatchCase{"a.b.", "a.b", true}, MatchCase{"a.b..", "a.b", true}, MatchCase{".", ".", true},
        MatchCase{"..", "..", true}, MatchCase{".", "a", false}, MatchCase{"", "a", false},
        // the DOS wildcards themselves, which Windows takes as typed
        MatchCase{"a>c", "abc", true}, MatchCase{"a<", "abc", true}));

// Names in every script: UTF-16 units compared by their simple uppercase mapping, "?" one
// unit (a character beyond the Basic Multilingual Plane is two), and a byte that is not
// part of UTF-8 a character of its own that matches only itself.
INSTANTIATE_TEST_SUITE_P(
    Unicode, Wildcard,
    testing::Values(
        MatchCase{"É*", "été.jpg", true}, MatchCase{"ΩMEGA*", "ωmega2.txt", true},
        MatchCase{"ДОМ*", "дом2.txt", true}, MatchCase{"ＡＢＣ*", "ａｂｃ.txt", true},
        MatchCase{"ＡＢＣ*", "ABC.txt", false}, MatchCase{"?t?.jpg", "été.jpg", true},
        MatchCase{"日?語.txt", "日本語.txt", true}, MatchCase{"日??語.txt", "日本語.txt", false},
        MatchCase{"*.JPG", "été.jpg", true}, MatchCase{"*É.TXT", "café.txt", true},
        // beyond the Basic Multilingual Plane: two units, and no case
        MatchCase{"emoji??.txt", "emoji😀.txt", true}, MatchCase{"emoji?.txt", "emoji😀.txt", false},
        MatchCase{"emoji*", "emoji😀.txt", true}, MatchCase{"𐐀", "𐐨", false},
        // Roman numerals, and letters whose uppercase letter lowers to them again
        MatchCase{"ΣΑΣ", "σασ", true}, MatchCase{"Ⅻ.txt", "ⅻ.TXT", true}, MatchCase{"Ǆ", "ǆ", true},
        MatchCase{"ÿ", "Ÿ", true},
        // and those it does not, which Windows keeps as they are: final sigma, titlecase
        // digraphs, dotless i, long s, the micro sign
        MatchCase{"Σ", "ς", false}, MatchCase{"Ǆ", "ǅ", false}, MatchCase{"ǆ", "ǅ", false},
        MatchCase{"I*", "ıx", false}, MatchCase{"*S", "ſ", false}, MatchCase{"Μ", "µ", false},
        MatchCase{"i", "İ", false}, MatchCase{"*ı", "xı", true},
        // no one-to-one uppercase: sharp s and ligatures match only themselves
        MatchCase{"ß", "ẞ", false}, MatchCase{"SS", "ß", false}, MatchCase{"ﬁ", "FI", false},
        MatchCase{"ﬁ*", "ﬁle", true},
        // bytes of another encoding (Latin-1 é is 0xE9)
        MatchCase{"caf\xE9*", "caf\xE9.txt", true}, MatchCase{"caf?.txt", "caf\xE9.txt", true},
        MatchCase{"caf\xC9.txt", "caf\xE9.txt", false}, MatchCase{"caf\xE9.txt", "café.txt", false},
        MatchCase{"caf??.txt", "caf\xE6\x97.txt", true}));

TEST(Wildcard, StaysFastOnManyStars)
{
    // A backtracking matcher takes exponential time here; this one takes a few microseconds.
    std::string name(255, 'a');
    EXPECT_FALSE(wildmatch("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", name.c_str()));
    EXPECT_TRUE(wildmatch("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a", name.c_str()));
    EXPECT_FALSE(wildmatch("*.*a*.*a*.*a*.*a*.*a*.*a*.*a*.*a*.*b", name.c_str()));
}

} // namespace
