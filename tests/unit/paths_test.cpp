#include "search/search.h"
#ifndef _WIN32
#include "platform/posix/posix.h"
#endif

#include <gtest/gtest.h>

namespace
{

struct SplitCase {
    const char *path;
    const char *dir;
    const char *name;
};

class Split : public testing::TestWithParam<SplitCase>
{
};

TEST_P(Split, GivesDirectoryAndName)
{
    const SplitCase &c = GetParam();
    std::string dir = "old", name = "old";
    dirsplit(c.path, dir, name);
    EXPECT_EQ(dir, c.dir) << c.path;
    EXPECT_EQ(name, c.name) << c.path;
}

TEST_P(Split, MayWriteTheNameOverItsInput)
{
    const SplitCase &c = GetParam();
    std::string dir, text = c.path;
    dirsplit(text, dir, text);
    EXPECT_EQ(dir, c.dir) << c.path;
    EXPECT_EQ(text, c.name) << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Everywhere, Split,
    testing::Values(SplitCase{"photos\\2019\\*.jpg", "photos\\2019\\", "*.jpg"},
                    SplitCase{"photos/2019/*.jpg", "photos/2019/", "*.jpg"},
                    SplitCase{"a\\b/c", "a\\b/", "c"}, SplitCase{"/abs/x?", "/abs/", "x?"},
                    SplitCase{"*.jpg", "", "*.jpg"}, SplitCase{"", "", ""},
                    SplitCase{"dir\\", "dir\\", ""}, SplitCase{"dir/", "dir/", ""},
                    SplitCase{"a/...b", "a/", "...b"}, SplitCase{"a/....", "a/", "...."},
                    SplitCase{"a/.../x", "a/.../", "x"}, SplitCase{"a/.jpg", "a/", ".jpg"},
                    SplitCase{"a:b/c:d", "a:b/", "c:d"}));

// Drive designators and "..." exist only on DOS paths; elsewhere they are ordinary names. A
// directory name moved over from the name part gets the separator the platform writes.
const SplitCase dossplits[] = {{"C:\\photos\\*.jpg", "C:\\photos\\", "*.jpg"},
                               {"C:*.jpg", "C:", "*.jpg"},
                               {"C:", "C:", ""},
                               {"C:\\", "C:\\", ""},
                               {"C:..", "C:..\\", ""},
                               {"a/..", "a/..\\", ""},
                               {"..", "..\\", ""},
                               {".", ".\\", ""},
                               {"a\\.", "a\\.\\", ""},
                               {"a\\...", "a\\..\\", "."},
                               {"...", "..\\", "."}};
const SplitCase posixsplits[] = {{"C:\\photos\\*.jpg", "C:\\photos\\", "*.jpg"},
                                 {"C:*.jpg", "", "C:*.jpg"},
                                 {"C:", "", "C:"},
                                 {"C:..", "", "C:.."},
                                 {"a/...", "a/", "..."},
                                 {"a/..", "a/../", ""},
                                 {"..", "../", ""},
                                 {".", "./", ""},
                                 {"a\\.", "a\\./", ""},
                                 {"...", "", "..."}};
INSTANTIATE_TEST_SUITE_P(ThisPlatform, Split,
                         dospaths ? testing::ValuesIn(dossplits) : testing::ValuesIn(posixsplits));

TEST(Paths, DirslashEnsuresOneTrailingSeparator)
{
    // Windows writes "\\" and appends one after "/" too; elsewhere "/" is written, and a
    // directory part that ends in either separator is left as it is.
    struct Case {
        const char *text, *windows, *posix;
    } cases[] = {{"", "", ""},
                 {"a", "a\\", "a/"},
                 {"a\\", "a\\", "a\\"},
                 {"a/", "a/\\", "a/"},
                 {"a\\b", "a\\b\\", "a\\b/"},
                 {"/", "/\\", "/"},
                 // a bare drive designator keeps naming the drive's current directory
                 {"C:", "C:", "C:/"},
                 {"C:\\", "C:\\", "C:\\"}};
    for (const Case &c : cases)
        EXPECT_EQ(dirslash(c.text), dospaths ? c.windows : c.posix) << c.text;
}

#ifndef _WIN32
// In a double-byte code page the second byte of a character may be 0x5C, the backslash:
// "\x95\x5C" is one Shift JIS character. It never separates, and a directory ending in one
// still gets its backslash.
class DoubleByte : public testing::Test
{
  protected:
    void SetUp() override
    {
        usecodepage932(true);
    }
    void TearDown() override
    {
        usecodepage932(false);
    }
};

TEST_F(DoubleByte, SecondBytesAreNeverSeparators)
{
    const SplitCase cases[] = {{"\x95\x5C\\*.jpg", "\x95\x5C\\", "*.jpg"},
                               {"dir\\\x95\x5C", "dir\\", "\x95\x5C"},
                               {"\x95\x5C", "", "\x95\x5C"},
                               {"a\\\x95\x5C/b", "a\\\x95\x5C/", "b"},
                               {"a\\\x95", "a\\", "\x95"}};
    for (const SplitCase &c : cases) {
        std::string dir, name;
        dirsplit(c.path, dir, name);
        EXPECT_EQ(dir, c.dir) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
    }
}

TEST_F(DoubleByte, DirslashSeesTheCharacterNotItsLastByte)
{
    EXPECT_EQ(dirslash("\x95\x5C"), std::string("\x95\x5C") + sepchar);
    EXPECT_EQ(dirslash("a\\\x95\x5C"), std::string("a\\\x95\x5C") + sepchar);
    EXPECT_EQ(dirslash("a\\"), "a\\");
    EXPECT_EQ(dirslash("\x81\x40\\"), "\x81\x40\\");
}
#endif

TEST(Paths, LastcharIsTheLastByteOrNul)
{
    EXPECT_EQ(lastchar(""), '\0');
    EXPECT_EQ(lastchar("ab"), 'b');
    EXPECT_EQ(lastchar("a\\"), '\\');
}

} // namespace
