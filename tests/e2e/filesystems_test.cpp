// The program on every file system users keep files on, each made for the test in an image
// file and mounted through the kernel or FUSE: a shift is exact to what the file system
// stores, a time it cannot hold is reported and left as it was, and read-only files are
// refused where there are permission bits. Needs root, loop devices and FUSE; where a file
// system cannot be made, its tests say why they are skipped.
#include "run.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// Runs a shell command; its status, and what it printed in out.
int sh(const std::string &command, std::string &out)
{
    out.clear();
    FILE *pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return -1;
    char buffer[4096];
    while (size_t got = fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, got);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Kind {
    const char *name;
    const char *tool;       // the program that makes or mounts it, which must be installed
    unsigned megabytes = 0; // the image's size (0: no image)
    const char *make = "";  // makes $image
    const char *mount;      // mounts it on $mnt ($image, and $loop where the test sets one up)
    bool loop = false;      // mounted from a loop device that the test sets up
    bool permissions;       // has permission bits: chmod a-w makes a file read-only
    bool takes1700;         // a time in 1700 with a fraction of a second is written and kept
    bool takes6100;         // and so is one in 6100
    bool accesstime = true; // keeps an access time of its own
};

void PrintTo(const Kind &kind, std::ostream *out)
{
    *out << kind.name;
}

const char *const loopmount = "mount -o loop \"$image\" \"$mnt\"";

const Kind kinds[] = {
    {.name = "tmpfs",
     .tool = "mount",
     .mount = "mount -t tmpfs -o size=64m zamtik \"$mnt\"",
     .permissions = true,
     .takes1700 = true,
     .takes6100 = true},
    // 128-byte inodes keep 32-bit seconds: 1901 to 2038, no fraction.
    {.name = "ext2_128",
     .tool = "mkfs.ext2",
     .megabytes = 64,
     .make = "mkfs.ext2 -q -F -I 128 \"$image\"",
     .mount = loopmount,
     .permissions = true,
     .takes1700 = false,
     .takes6100 = false},
    // 1901 to 2446.
    {.name = "ext4",
     .tool = "mkfs.ext4",
     .megabytes = 64,
     .make = "mkfs.ext4 -q -F \"$image\"",
     .mount = loopmount,
     .permissions = true,
     .takes1700 = false,
     .takes6100 = false},
    // 1901 to 2486.
    {.name = "xfs",
     .tool = "mkfs.xfs",
     .megabytes = 320,
     .make = "mkfs.xfs -q -f \"$image\"",
     .mount = loopmount,
     .permissions = true,
     .takes1700 = false,
     .takes6100 = false},
    {.name = "btrfs",
     .tool = "mkfs.btrfs",
     .megabytes = 320,
     .make = "mkfs.btrfs -q -f \"$image\"",
     .mount = loopmount,
     .permissions = true,
     .takes1700 = true,
     .takes6100 = true},
    // Through FUSE, whose answers may come from the memory of the program behind the mount
    // rather than from its disk, only a time from 1980 to 2038, which every file system
    // holds, is written. NTFS would hold the others, but ntfs-3g drops the fraction of a
    // second of a time before 1970; and it maps no permissions unless asked to.
    {.name = "ntfs_3g",
     .tool = "ntfs-3g",
     .megabytes = 64,
     .make = "mkntfs -q -F -f \"$image\"",
     .mount = "ntfs-3g \"$image\" \"$mnt\"",
     .permissions = false,
     .takes1700 = false,
     .takes6100 = false},
    // exFAT and FAT hold 1980 to 2107, and have no permission bits. exFAT through FUSE drops
    // a write of the last-write time alone, and answers with a time past 2107 as given
    // while it stores another.
    {.name = "exfat_fuse",
     .tool = "mount.exfat-fuse",
     .megabytes = 64,
     .make = "mkfs.exfat \"$image\"",
     .mount = "mount.exfat-fuse \"$loop\" \"$mnt\"",
     .loop = true,
     .permissions = false,
     .takes1700 = false,
     .takes6100 = false},
    // fusefat shows the last-write time as the access time.
    {.name = "fusefat",
     .tool = "fusefat",
     .megabytes = 64,
     .make = "rm \"$image\" && mkfs.vfat -C \"$image\" 65536",
     .mount = "fusefat -o rw+ \"$image\" \"$mnt\"",
     .permissions = false,
     .takes1700 = false,
     .takes6100 = false,
     .accesstime = false},
};

// A file system of the kind the test is given, made and mounted for the test.
class Mounted : public testing::TestWithParam<Kind>
{
  protected:
    void SetUp() override
    {
        const Kind &kind = GetParam();
        if (geteuid() != 0)
            GTEST_SKIP() << "mounting a " << kind.name << " image needs root";
        std::string out;
        if (sh(std::string("command -v ") + kind.tool, out) != 0)
            GTEST_SKIP() << kind.tool << " is not installed";
        makemode(work.path(), 0755); // the Windows build runs as "nobody"
        mnt = work.at("mnt");
        makedir(mnt);
        vars = "image=\"" + work.at("image") + "\" mnt=\"" + mnt + "\"";
        if (kind.megabytes != 0) {
            std::string make =
                numbered("truncate -s ", kind.megabytes) + "M \"$image\" && " + kind.make;
            if (sh(vars + " && " + make, out) != 0)
                GTEST_SKIP() << "cannot make " << kind.name << ": " << out;
        }
        if (kind.loop) {
            if (sh(vars + " && losetup -f --show \"$image\"", out) != 0)
                GTEST_SKIP() << "no loop device for " << kind.name << ": " << out;
            loop = out.substr(0, out.find('\n'));
            vars += " loop=\"" + loop + "\"";
        }
        if (sh(vars + " && " + kind.mount, out) != 0)
            GTEST_SKIP() << "cannot mount " << kind.name << ": " << out;
        mounted = true;
    }

    // Unmounts and mounts again, so that what is read next comes from the disk, not from
    // what the file system kept in memory.
    void remount()
    {
        if (GetParam().megabytes == 0)
            return; // tmpfs: what it has in memory is all it keeps
        std::string out;
        ASSERT_EQ(sh("umount \"" + mnt + "\"", out), 0) << out;
        mounted = sh(vars + " && " + GetParam().mount, out) == 0;
        ASSERT_TRUE(mounted) << out;
    }

    void TearDown() override
    {
        std::string out;
        if (mounted) {
            EXPECT_EQ(sh("umount \"" + mnt + "\"", out), 0) << out;
        }
        if (!loop.empty())
            sh("losetup -d \"" + loop + "\"", out);
    }

    // A file with the fixture's times as the file system stores them on its disk; gives back
    // its last-write time.
    timespec file(const std::string &name)
    {
        writefile(at(name));
        settimes(at(name), makets(1500000000, 424242424), makets(1600000000, 123456789));
        remount();
        return mtimeof(at(name));
    }

    std::string at(const std::string &name) const
    {
        return mnt + "/" + name;
    }

    TempDir work;
    std::string mnt, loop, vars;
    bool mounted = false;
};

timespec later(timespec t, long long minutes)
{
    t.tv_sec += minutes * 60;
    return t;
}

// How the Linux build's own layer meets each file system. (Wine maps Windows' calls to
// calls of its own, and the kernel's file systems do not hand Wine's user "nobody" files of
// root's: the Windows build is tested on NTFS alone, below.)
class FileSystem : public Mounted
{
  protected:
    void SetUp() override
    {
        if (windowsbuild())
            GTEST_SKIP() << "the Linux build's layer is what meets the file system here";
        Mounted::SetUp();
    }
};

TEST_P(FileSystem, ShiftsExactlyAndBack)
{
    timespec stored = file("a.jpg");
    timespec access = atimeof(at("a.jpg"));
    Outcome run = zamtik({"*.jpg", "-m60", "-v"}, mnt);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "zamtik:a.jpg\n");
    remount();
    EXPECT_EQ(mtimeof(at("a.jpg")), later(stored, 60));
    if (GetParam().accesstime) {
        EXPECT_EQ(atimeof(at("a.jpg")), access);
    }

    run = zamtik({"*.jpg", "-m-60", "-v"}, mnt);
    EXPECT_EQ(run.out, "zamtik:a.jpg\n");
    remount();
    EXPECT_EQ(mtimeof(at("a.jpg")), stored);
}

TEST_P(FileSystem, StoresATimeExactlyOrReportsItAndLeavesTheFile)
{
    // From 2020: back about 320 years to 1700, and forward by the largest shift, to 6103.
    struct Case {
        const char *minutes;
        long long shift;
        bool holds;
    } cases[] = {{"-m-168000000", -168000000, GetParam().takes1700},
                 {"-m2147483647", 2147483647, GetParam().takes6100}};
    for (const Case &c : cases) {
        timespec stored = file("f");
        Outcome run = zamtik({"f", c.minutes, "-v"}, mnt);
        EXPECT_EQ(run.status, 0);
        remount();
        if (c.holds) {
            EXPECT_EQ(run.out, "zamtik:f\n") << c.minutes;
            EXPECT_EQ(mtimeof(at("f")), later(stored, c.shift)) << c.minutes;
        } else {
            EXPECT_EQ(run.out, "zamtik:f didn't work in SetFileTime\n") << c.minutes;
            EXPECT_EQ(mtimeof(at("f")), stored) << c.minutes;
        }
    }
}

TEST_P(FileSystem, RefusesAReadOnlyFile)
{
    if (!GetParam().permissions)
        GTEST_SKIP() << GetParam().name << " has no permission bits: no file is read-only";
    timespec stored = file("ro.jpg");
    makemode(at("ro.jpg"), 0444);
    Outcome run = zamtik({"*.jpg", "-m60", "-v"}, mnt);
    EXPECT_EQ(run.out, "zamtik:ro.jpg didn't work in CreateFile\n");
    EXPECT_EQ(mtimeof(at("ro.jpg")), stored);
}

std::string kindname(const testing::TestParamInfo<Kind> &kind)
{
    return kind.param.name;
}

INSTANTIATE_TEST_SUITE_P(Matrix, FileSystem, testing::ValuesIn(kinds), kindname);

// NTFS and exFAT hold names of 255 UTF-16 units, which take up to 765 bytes in UTF-8, where
// Windows' ANSI listing record holds 259 and Linux's own file systems 255.
using LongNames = Mounted;

TEST_P(LongNames, ANameLongerThanTheListingRecordNeverNamesAnotherFile)
{
    if (windowsbuild() && std::string(GetParam().name) == "exfat_fuse")
        GTEST_SKIP() << "exfat-fuse refuses to change a file's owner, and the Windows build "
                        "runs as nobody";
    // 90 CJK characters take 270 bytes. Cut to fit at a character, the name is the one of
    // the other file here, of 86 of them (258 bytes); Wine hands it over so.
    std::string han, cut;
    for (int i = 0; i < 90; ++i)
        (i < 86 ? cut : han) += "漢";
    const std::string longname = cut + han + ".txt";
    timespec longtime = file(longname);
    timespec cuttime = file(cut);
    timespec shorttime = file("café.txt");
    Outcome run = zamtik({"*", "-m60", "-v"}, mnt);
    EXPECT_EQ(run.status, 0);
    remount();
    EXPECT_EQ(mtimeof(at("café.txt")), later(shorttime, 60));
    if (windowsbuild()) {
        // A name that fills the record from 256 bytes on may have been cut, and nothing
        // tells a cut name from a whole one: both are passed over.
        EXPECT_EQ(run.out, "zamtik:café.txt\n");
        EXPECT_EQ(mtimeof(at(cut)), cuttime);
        EXPECT_EQ(mtimeof(at(longname)), longtime);
    } else {
        EXPECT_EQ(sortedlines(run.out),
                  sortedlines("zamtik:café.txt\nzamtik:" + cut + "\nzamtik:" + longname + "\n"));
        EXPECT_EQ(mtimeof(at(cut)), later(cuttime, 60));
        EXPECT_EQ(mtimeof(at(longname)), later(longtime, 60));
    }
}

const Kind *kind(const std::string &name)
{
    for (const Kind &k : kinds)
        if (name == k.name)
            return &k;
    return nullptr;
}

INSTANTIATE_TEST_SUITE_P(UTF16, LongNames, testing::Values(*kind("ntfs_3g"), *kind("exfat_fuse")),
                         kindname);

} // namespace
