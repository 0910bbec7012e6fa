// Bad input and faults on real trees: every run ends normally with status 0, reports what
// failed in verbose mode, and leaves every other file exactly shifted and every file it could
// not change exactly as it was.
#include "tree.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <random>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{

class Faults : public TreeTest
{
  protected:
    void SetUp() override
    {
        if (windowsbuild())
            GTEST_SKIP() << "faults are made with the Linux build's own calls";
    }
    // Runs with ZAMTIK_FAULT set for the fault-injection library.
    Outcome faulty(const std::vector<std::string> &args, const std::string &fault)
    {
        return zamtik(args, dir.path(),
                      withenvironment({"LD_PRELOAD=" ZAMTIK_FAULTSHIM, "ZAMTIK_FAULT=" + fault}));
    }
};

TEST_F(Faults, AFileRemovedBeforeItIsOpened)
{
    file("a.jpg");
    file("gone.jpg");
    Outcome run = faulty({"*.jpg", "-m60", "-v"}, "gone.jpg:unlink");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(sortedlines(run.out),
              (std::vector<std::string>{"zamtik:a.jpg\n",
                                        "zamtik:gone.jpg didn't work in CreateFile\n"}));
    EXPECT_EQ(mtimeof(dir.at("a.jpg")), hourlater());
}

TEST_F(Faults, AFileReplacedBeforeItIsOpenedIsTheOneShifted)
{
    file("a.jpg");
    file("new", makets(1700000000, 5));
    Outcome run = faulty({"a.jpg", "-m60", "-v"}, "a.jpg:replace:new");
    EXPECT_EQ(run.out, "zamtik:a.jpg\n");
    EXPECT_EQ(mtimeof(dir.at("a.jpg")), makets(1700000000 + 3600, 5)); // its own time, moved
}

TEST_F(Faults, AFileReplacedOnceOpenedLeavesTheNewOneAlone)
{
    // The time is read and written through the one open file: the file that took the name
    // meanwhile is not touched, and no time is carried from one to the other.
    file("a.jpg");
    file("new", makets(1700000000, 5));
    Outcome run = faulty({"a.jpg", "-m60", "-v"}, "a.jpg:after:new");
    EXPECT_EQ(run.out, "zamtik:a.jpg\n");
    EXPECT_EQ(mtimeof(dir.at("a.jpg")), makets(1700000000, 5));
}

TEST_F(Faults, AFileTurnedIntoAFifoIsNeverOpened)
{
    file("a.jpg");
    Outcome run = faulty({"a.jpg", "-m60", "-v"}, "a.jpg:fifo");
    EXPECT_EQ(run.status, 0); // a blocked open would have been killed
    EXPECT_EQ(run.out, "zamtik:a.jpg didn't work in CreateFile\n");
}

TEST_F(Faults, ADirectoryRemovedWhileTheWalkIsInIt)
{
    makedir(dir.at("sub"));
    makedir(dir.at("sub/inner"));
    makedir(dir.at("later"));
    file("sub/first.jpg");
    file("sub/inner/x.jpg");
    file("later/y.jpg");
    file("top.jpg");
    Outcome run = faulty({"*.jpg", "-m60", "-d", "-v"}, "first.jpg:rmtree:sub");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("zamtik:sub/first.jpg didn't work in CreateFile\n"), std::string::npos)
        << run.out;
    EXPECT_EQ(mtimeof(dir.at("top.jpg")), hourlater());
    EXPECT_EQ(mtimeof(dir.at("later/y.jpg")), hourlater());
}

TEST_F(Faults, SpecialFilesThatMatchAreNeverOpened)
{
    file("plain.jpg");
    makefifo(dir.at("fifo.jpg"));
    makelink("nowhere", dir.at("dangling.jpg"));
    makelink("fifo.jpg", dir.at("tofifo.jpg"));
    int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string socketpath = dir.at("socket.jpg");
    ASSERT_LT(socketpath.size(), sizeof address.sun_path);
    strcpy(address.sun_path, socketpath.c_str());
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    bool device = mknod(dir.at("device.jpg").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;

    Outcome run = zamtik({"*.jpg", "-m60", "-v"}, dir.path());
    close(sock);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "zamtik:plain.jpg\n");
    EXPECT_EQ(run.err, trace("*.jpg"));
    if (!device)
        GTEST_SKIP() << "no device node: making one needs root";
}

TEST_F(Faults, AFileTheUserMayNotChange)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root, to run the program as another user";
    file("roots.jpg"); // owned by root, writable by root only
    file("mine.jpg");
    ASSERT_EQ(chown(dir.at("mine.jpg").c_str(), nobody, nobody), 0);
    makemode(dir.path(), 0755);
    Outcome run = zamtik({"*.jpg", "-m60", "-v"}, dir.path(), asnobody());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(sortedlines(run.out),
              (std::vector<std::string>{"zamtik:mine.jpg\n",
                                        "zamtik:roots.jpg didn't work in CreateFile\n"}));
    EXPECT_EQ(mtimeof(dir.at("roots.jpg")), mtime());
    EXPECT_EQ(mtimeof(dir.at("mine.jpg")), hourlater());
}

TEST_F(Faults, NamesOfEveryKind)
{
    std::string longname(251, 'n');
    longname += ".jpg"; // 255 bytes, the longest a name may be
    const std::string names[] = {"with space.jpg", "new\nline.jpg",   "bytes \xff\xfe\x80.jpg",
                                 "tab\there.jpg",  "quote\"and'.jpg", longname};
    for (const auto &name : names)
        file(name);
    // A path near the system's limit: directories of 200 bytes, down to about 4000 bytes.
    std::string deep;
    for (int i = 0; i < 19; ++i) {
        deep += std::string(200, char('a' + i)) + "/";
        makedir(dir.at(deep));
    }
    file(deep + "deep.jpg");

    Outcome run = zamtik({"*.jpg", "-m60", "-d", "-v"}, dir.path());
    EXPECT_EQ(run.status, 0);
    for (const auto &name : names) {
        EXPECT_NE(run.out.find("zamtik:" + name + "\n"), std::string::npos) << name;
        EXPECT_EQ(mtimeof(dir.at(name)), hourlater()) << name;
    }
    EXPECT_EQ(mtimeof(dir.at(deep + "deep.jpg")), hourlater());
}

TEST_F(Faults, ArgumentsOfAMegabyteAndTenThousandArguments)
{
    file("a.jpg");
    // One argument may hold 128 KiB; eight of them make a megabyte.
    std::string pattern(131000, 'x');
    std::vector<std::string> big(7, "-v" + std::string(131000, 'v'));
    big.push_back(pattern);
    big.push_back("-m60");
    Outcome run = zamtik(big, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, trace(pattern) + "zamtik:findify():\"" + pattern + "\" not found.\n");

    std::vector<std::string> many(9998, "-d");
    many.push_back("a.jpg");
    many.push_back("-m60");
    run = zamtik(many, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(mtimeof(dir.at("a.jpg")), hourlater());

    std::vector<std::string> files(10000, "a.jpg");
    files.push_back("-m60");
    run = zamtik(files, dir.path());
    EXPECT_EQ(run.status, 7);
    EXPECT_EQ(mtimeof(dir.at("a.jpg")), hourlater());
}

TEST_F(Faults, ARunKilledPartWayLeavesEachFileShiftedOrUntouched)
{
    // 100,000 files in 1,000 directories. A time is written by one system call, so whatever
    // moment the run dies at, each file has either its old time or the new one.
    auto before = [](int d, int f) { return makets(1600000000 + d, f); };
    bigtree(1000, 100, before);
    Outcome full = zamtik({"*.jpg", "-m60", "-d"}, dir.path());
    ASSERT_EQ(full.status, 0);
    std::mt19937 random(std::random_device{}());
    int killafter = std::uniform_int_distribution<int>(5, 400)(random);
    Outcome killed = zamtik({"*.jpg", "-m-60", "-d"}, dir.path(), killedafter(killafter));
    int back = 0, shifted = 0;
    for (int d = 0; d < 1000; ++d)
        for (int f = 0; f < 100; ++f) {
            timespec t = mtimeof(dir.at(bigfile(d, f)));
            if (t == before(d, f))
                ++back;
            else if (t == makets(1600000000 + d + 3600, f))
                ++shifted;
            else
                ADD_FAILURE() << bigfile(d, f) << " has a time nobody asked for";
        }
    EXPECT_EQ(back + shifted, 100000);
    std::cout << "killed after " << killafter << " ms: " << back << " files shifted back, "
              << shifted << " not yet\n";
}

} // namespace
