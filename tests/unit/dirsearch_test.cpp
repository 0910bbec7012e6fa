// The attribute filter over real listings: what findify (mask 0) and the descent (mask
// directory) are handed.
#include "search/search.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

std::set<std::string> admitted(const std::string &pattern, DWORD mask)
{
    std::set<std::string> names;
    DirSearch search;
    for (int last = dirfirst(pattern, search, mask); last == 0; last = dirnext(search))
        names.insert(search.name);
    dirclose(search);
    return names;
}

class Filter : public testing::Test
{
  protected:
    void SetUp() override
    {
        writefile(dir.at("plain.txt"));
        writefile(dir.at("readonly.txt"));
        makemode(dir.at("readonly.txt"), 0444);
        writefile(dir.at(".hidden.txt"));
        makedir(dir.at("sub"));
        makedir(dir.at(".hiddendir"));
        makefifo(dir.at("fifo"));
        makelink("plain.txt", dir.at("tofile"));
        makelink("sub", dir.at("todir"));
        makelink("fifo", dir.at("tofifo"));
        makelink("nowhere", dir.at("dangling"));
    }
    TempDir dir;
};

TEST_F(Filter, FilesSearchAdmitsOnlyOrdinaryFiles)
{
    std::set<std::string> expected = {"plain.txt", "readonly.txt", "tofile"};
    EXPECT_EQ(admitted(dir.at("*"), 0), expected);
}

TEST_F(Filter, DirectorySearchAdmitsEveryDirectoryAndOrdinaryFiles)
{
    std::set<std::string> expected = {".",     "..",        "sub",          ".hiddendir",
                                      "todir", "plain.txt", "readonly.txt", "tofile"};
    EXPECT_EQ(admitted(dir.at("*"), FILE_ATTRIBUTE_DIRECTORY), expected);
}

TEST_F(Filter, ReportsTheAttributesOfWhatItAdmits)
{
    DirSearch search;
    ASSERT_EQ(dirfirst(dir.path() + "\\.hiddendir", search, FILE_ATTRIBUTE_DIRECTORY), 0);
    EXPECT_EQ(search.name, ".hiddendir");
    EXPECT_EQ(search.attrib & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN),
              FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_NE(dirnext(search), 0);
    dirclose(search);
}

TEST_F(Filter, EndsQuietlyWhereNothingCanBeListed)
{
    EXPECT_TRUE(admitted(dir.at("missing/*"), FILE_ATTRIBUTE_DIRECTORY).empty());
    EXPECT_TRUE(admitted(dir.at("*.none"), 0).empty());
    EXPECT_TRUE(admitted(dir.at("sub/"), 0).empty());
    DirSearch never;
    dirclose(never); // closing a search that found nothing is harmless
    dirclose(never);
}

} // namespace
