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

INSTANTIATE_TEST_SUITE_P(
    Table, Wildcard,
    testing::Values(MatchCase{"*", "anything.jpg", true}, MatchCase{"*", ".", true},
                    MatchCase{"*.*", "noext", true}, MatchCase{"*.*", "..", true},
                    MatchCase{"*.*", "a.b.c", true}, MatchCase{"*.jpg", "IMG_0001.JPG", true},
                    MatchCase{"*.JPG", "img.jpg", true}, MatchCase{"*.jpg", "a.jpg.bak", false},
                    MatchCase{"*.jpg", "jpg", false}, MatchCase{"?", "a", true},
                    MatchCase{"?", "ab", false}, MatchCase{"?", "", false},
                    MatchCase{"a?c", "a.c", true}, MatchCase{"a?c", "ac", false},
                    MatchCase{"a*b?.t*", "aXXbc.txt", true}, MatchCase{"a*b?.t*", "ab.txt", false},
                    MatchCase{"a*b?.t*", "abbb.t", true}, MatchCase{"*a", "bba", true},
                    MatchCase{"*x*y", "axbxcy", true}, MatchCase{"*x*y", "axbxc", false},
                    MatchCase{"**", "abc", true}, MatchCase{"abc", "ABC", true},
                    MatchCase{"abc", "abcd", false}, MatchCase{"abcd", "abc", false},
                    MatchCase{"[ab]", "a", false}, MatchCase{"[ab]", "[ab]", true},
                    // only ASCII letters are folded: these are two different UTF-8 letters
                    MatchCase{"\xC3\x89", "\xC3\xA9", false},
                    MatchCase{"\xC3\x89", "\xC3\x89", true}));

TEST(Wildcard, StaysFastOnManyStars)
{
    // A backtracking matcher takes exponential time here; this one takes a few microseconds.
    std::string name(200, 'a');
    EXPECT_FALSE(wildmatch("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", name.c_str()));
    EXPECT_TRUE(wildmatch("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a", name.c_str()));
}

} // namespace
