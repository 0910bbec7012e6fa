// Opening files for their times, and reading and writing them through the handle.
#include "platform/platform.h"
#include "platform/posix/posix.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <unistd.h>

namespace
{

HANDLE openfull(const std::string &path)
{
    return CreateFileA(path.c_str(), GENERIC_ALL, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

FILETIME filetime(uint64_t value)
{
    FILETIME t;
    t.dwLowDateTime = DWORD(value & 0xFFFFFFFFu);
    t.dwHighDateTime = DWORD(value >> 32);
    return t;
}

uint64_t join(const FILETIME &t)
{
    return uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime;
}

class Files : public testing::Test
{
  protected:
    TempDir dir;
};

TEST_F(Files, OpensOnlyWritableRegularFiles)
{
    writefile(dir.at("plain"));
    writefile(dir.at("readonly"));
    makemode(dir.at("readonly"), 0444);
    makedir(dir.at("sub"));
    makelink("plain", dir.at("link"));
    makelink("sub", dir.at("dirlink"));

    HANDLE h = openfull(dir.at("plain"));
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(h));
    h = openfull(dir.at("link"));
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CloseHandle(h));

    // Refused whoever runs the test, root included.
    for (const char *name : {"readonly", "sub", "dirlink", "missing"})
        EXPECT_EQ(openfull(dir.at(name)), INVALID_HANDLE_VALUE) << name;
}

TEST_F(Files, RefusesAFifoWithoutBlocking)
{
    makefifo(dir.at("fifo"));
    auto opening = std::async(std::launch::async, [&] { return openfull(dir.at("fifo")); });
    ASSERT_EQ(opening.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(opening.get(), INVALID_HANDLE_VALUE);
}

TEST_F(Files, TakesBackslashesAsSeparators)
{
    makedir(dir.at("sub"));
    writefile(dir.at("sub/file"));
    HANDLE h = openfull(dir.path() + "\\sub\\file");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
}

TEST_F(Files, ReadsAndWritesTheLastWriteTimeAlone)
{
    std::string path = dir.at("f");
    writefile(path);
    settimes(path, makets(1000000000, 111111111), makets(1234567890, 123456789));

    HANDLE h = openfull(path);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME creation, access, write;
    ASSERT_TRUE(GetFileTime(h, &creation, &access, &write));
    EXPECT_EQ(join(write), 116444736000000000u + 12345678901234567u);
    EXPECT_EQ(join(access), 116444736000000000u + 10000000001111111u);

    FILETIME later = filetime(join(write) + 36000000000); // one hour
    ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &later));
    CloseHandle(h);

    // The 89 ns below the FILETIME's step survive; the access time is untouched.
    EXPECT_EQ(mtimeof(path), makets(1234567890 + 3600, 123456789));
    EXPECT_EQ(atimeof(path), makets(1000000000, 111111111));
}

TEST_F(Files, RefusesATimeWithTheTopBitSet)
{
    std::string path = dir.at("f");
    writefile(path);
    settimes(path, makets(1, 0), makets(1234567890, 5));
    HANDLE h = openfull(path);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    FILETIME bad = filetime(0x8000000000000000u);
    EXPECT_FALSE(SetFileTime(h, nullptr, nullptr, &bad));
    CloseHandle(h);
    EXPECT_EQ(mtimeof(path), makets(1234567890, 5));
}

TEST_F(Files, NeverLeavesATimeTheFileSystemDidNotStore)
{
    // 1700 and 2600: outside what ext4 holds, inside what tmpfs or btrfs hold. Either the
    // file system stores the time exactly, or the write fails and the old time stays.
    const timespec old = makets(1234567890, 987654321);
    for (long long seconds : {-8520336000LL, 19880899200LL}) {
        std::string path = dir.at("f");
        writefile(path);
        settimes(path, makets(1, 0), old);
        bool holds = fsholds(dir.path(), makets(seconds, 987654321));

        HANDLE h = openfull(path);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        FILETIME wanted{};
        ASSERT_TRUE(tofiletime(makets(seconds, 987654300), wanted));
        BOOL written = SetFileTime(h, nullptr, nullptr, &wanted);
        CloseHandle(h);

        EXPECT_EQ(written != FALSE, holds) << seconds;
        EXPECT_EQ(mtimeof(path), holds ? makets(seconds, 987654321) : old) << seconds;
    }
}

HANDLE openidentity(const std::string &path)
{
    return CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

BY_HANDLE_FILE_INFORMATION identity(HANDLE h)
{
    BY_HANDLE_FILE_INFORMATION information{};
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) {
        EXPECT_TRUE(GetFileInformationByHandle(h, &information));
        CloseHandle(h);
    }
    return information;
}

bool same(const BY_HANDLE_FILE_INFORMATION &a, const BY_HANDLE_FILE_INFORMATION &b)
{
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

TEST_F(Files, TellsWhatAPathNamesWhateverTheName)
{
    makedir(dir.at("sub"));
    makedir(dir.at("other"));
    makelink("sub", dir.at("tosub"));
    auto sub = identity(openidentity(dir.at("sub")));
    EXPECT_TRUE(same(sub, identity(openidentity(dir.at("tosub\\")))));
    EXPECT_TRUE(same(sub, identity(openidentity(dir.at("other/../sub/")))));
    EXPECT_FALSE(same(sub, identity(openidentity(dir.at("other")))));
    EXPECT_EQ(openidentity(dir.at("missing")), INVALID_HANDLE_VALUE);

    writefile(dir.at("a"));
    ASSERT_EQ(link(dir.at("a").c_str(), dir.at("b").c_str()), 0);
    auto a = identity(openfull(dir.at("a")));
    auto b = identity(openfull(dir.at("b")));
    EXPECT_TRUE(same(a, b));
    EXPECT_EQ(a.nNumberOfLinks, 2u);
    EXPECT_FALSE(same(a, sub));
}

} // namespace
