#include "cli/args.h"
#include "cli/settings.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct GrammarCase {
    std::vector<std::string> args; // after the program name
    bool usable;
    const char *afn; // expected file argument, when usable
    int32_t minutes;
    bool recurse;
    bool verbose;
};

bool read(std::vector<std::string> args)
{
    settings = RunSettings{};
    static std::vector<std::string> storage;
    storage = std::move(args);
    storage.insert(storage.begin(), "zamtik");
    std::vector<char *> argv;
    for (auto &arg : storage)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    return readargs(int(storage.size()), argv.data());
}

class Grammar : public testing::TestWithParam<GrammarCase>
{
};

TEST_P(Grammar, ReadsSettingsOrRefuses)
{
    const GrammarCase &c = GetParam();
    ASSERT_EQ(read(c.args), c.usable);
    if (!c.usable)
        return;
    ASSERT_NE(settings.afn, nullptr);
    EXPECT_STREQ(settings.afn, c.afn);
    EXPECT_EQ(settings.minutes, c.minutes);
    EXPECT_EQ(settings.recurse, c.recurse);
    EXPECT_EQ(settings.verbose, c.verbose);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, Grammar,
    testing::Values(
        // usable lines, in either order, with and without options
        GrammarCase{{"*.jpg", "-m60"}, true, "*.jpg", 60, false, false},
        GrammarCase{{"-m-90", "-d", "-v", "a*"}, true, "a*", -90, true, true},
        GrammarCase{{"-m+15", "x"}, true, "x", 15, false, false},
        GrammarCase{{"x", "-m10x"}, true, "x", 10, false, false},
        // the last "m" counts
        GrammarCase{{"x", "-m0", "-m5"}, true, "x", 5, false, false},
        GrammarCase{{"x", "-m5", "-m0"}, false, nullptr, 0, false, false},
        // only the second character decides: "-dv" is "-d"
        GrammarCase{{"-dv", "x", "-m1"}, true, "x", 1, true, false},
        GrammarCase{{"-verbose", "x", "-m1"}, true, "x", 1, false, true},
        // the option character alone is ignored, not a file argument
        GrammarCase{{"-", "x", "-m1"}, true, "x", 1, false, false},
        GrammarCase{{"-", "-m1"}, false, nullptr, 0, false, false},
        // an empty argument is a file argument
        GrammarCase{{"", "-m1"}, true, "", 1, false, false},
        GrammarCase{{"", "x", "-m1"}, false, nullptr, 0, false, false},
        // missing pieces
        GrammarCase{{}, false, nullptr, 0, false, false},
        GrammarCase{{"x"}, false, nullptr, 0, false, false},
        GrammarCase{{"-m5"}, false, nullptr, 0, false, false},
        GrammarCase{{"x", "-m"}, false, nullptr, 0, false, false},
        GrammarCase{{"x", "-mx"}, false, nullptr, 0, false, false},
        // a sign apart from its digits: "-m" gives 0 and "30" is a file argument
        GrammarCase{{"-m", "30"}, false, nullptr, 0, false, false},
        GrammarCase{{"x", "-m", "30"}, false, nullptr, 0, false, false},
        // a second file argument, option letters are case-sensitive
        GrammarCase{{"a", "b", "-m5"}, false, nullptr, 0, false, false},
        GrammarCase{{"x", "-m5", "-V"}, false, nullptr, 0, false, false},
        GrammarCase{{"x", "-M5"}, false, nullptr, 0, false, false},
        // the 32-bit range is the limit
        GrammarCase{{"x", "-m2147483647"}, true, "x", 2147483647, false, false},
        GrammarCase{{"x", "-m-2147483648"}, true, "x", INT32_MIN, false, false},
        GrammarCase{{"x", "-m2147483648"}, false, nullptr, 0, false, false},
        GrammarCase{{"x", "-m-2147483649"}, false, nullptr, 0, false, false},
        GrammarCase{{"x", "-m4294967356"}, false, nullptr, 0, false, false}));

// Where "/" may start options (Windows), an argument starting with "/" makes it the option
// character from then on, so a pattern cannot start with "/". Elsewhere such an argument is
// an absolute path, and only "-" starts options.
const GrammarCase slashoptionlines[] = {
    {{"/v", "-x", "/m5"}, true, "-x", 5, false, true},
    {{"/v", "-m5"}, false, nullptr, 0, false, false},
    {{"x", "/m5", "-d"}, false, nullptr, 0, false, false},
    {{"/d", "/", "x", "/m-1"}, true, "x", -1, true, false},
    {{"/tmp/x", "-m5"}, false, nullptr, 0, false, false},
};
const GrammarCase slashpathlines[] = {
    {{"/srv/photos/*.jpg", "-m-60", "-d"}, true, "/srv/photos/*.jpg", -60, true, false},
    {{"-v", "/x", "-m5"}, true, "/x", 5, false, true},
    {{"/", "-m5"}, true, "/", 5, false, false},
    {{"/v", "-m5"}, true, "/v", 5, false, false},
    {{"/v", "-x", "-m5"}, false, nullptr, 0, false, false},
    {{"x", "/m5", "-d"}, false, nullptr, 0, false, false},
    {{"/d", "/", "-m1"}, false, nullptr, 0, false, false},
};
INSTANTIATE_TEST_SUITE_P(ThisPlatform, Grammar,
                         slashoptions ? testing::ValuesIn(slashoptionlines)
                                      : testing::ValuesIn(slashpathlines));

TEST(Grammar, StopsReadingAtAnUnknownOption)
{
    EXPECT_FALSE(read({"-v", "-q", "x", "-d", "-m5"}));
    EXPECT_TRUE(settings.verbose);
    EXPECT_EQ(settings.afn, nullptr);
    EXPECT_FALSE(settings.recurse);
    EXPECT_EQ(settings.minutes, 0);
}

TEST(Grammar, KeepsTheArgumentItself)
{
    settings = RunSettings{};
    char program[] = "zamtik", file[] = "*.jpg", shift[] = "-m1";
    char *argv[] = {program, file, shift, nullptr};
    ASSERT_TRUE(readargs(3, argv));
    EXPECT_EQ(settings.afn, file);
}

struct NumberCase {
    const char *text;
    bool inrange;
    int32_t value;
};

class Minutes : public testing::TestWithParam<NumberCase>
{
};

TEST_P(Minutes, FollowsAtol)
{
    const NumberCase &c = GetParam();
    int32_t minutes = 12345;
    ASSERT_EQ(readminutes(c.text, minutes), c.inrange) << '"' << c.text << '"';
    EXPECT_EQ(minutes, c.inrange ? c.value : 12345) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Minutes,
    testing::Values(NumberCase{"60", true, 60}, NumberCase{"-90", true, -90},
                    NumberCase{"+15", true, 15}, NumberCase{"10x", true, 10},
                    NumberCase{"", true, 0}, NumberCase{"x5", true, 0}, NumberCase{"-", true, 0},
                    NumberCase{"- 5", true, 0}, NumberCase{"--5", true, 0},
                    NumberCase{"+-5", true, 0}, NumberCase{" \t\n\v\f\r7", true, 7},
                    NumberCase{"  -3 4", true, -3}, NumberCase{"0007", true, 7},
                    NumberCase{"000000000000000000000000000001", true, 1},
                    NumberCase{"2147483647", true, INT32_MAX},
                    NumberCase{"-2147483648", true, INT32_MIN}, NumberCase{"2147483648", false, 0},
                    NumberCase{"-2147483649", false, 0},
                    NumberCase{"99999999999999999999999999", false, 0}));

} // namespace
