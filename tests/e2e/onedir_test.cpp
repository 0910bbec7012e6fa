// The program on one directory: what a user sees and what happens to the file times.
#include "tree.h"

#include <gtest/gtest.h>

#include <regex>

namespace
{

const std::string usagetail = "adjust the file time of afn by minutes (signed).\n"
                              "-d  recurse subdirectories.   -v verbose.\n";

using OneDirectory = TreeTest;

TEST(Usage, IsPrintedForAnEmptyCommandLine)
{
    TempDir dir;
    Outcome run = zamtik({}, dir.path());
    EXPECT_EQ(run.status, 7);
    EXPECT_EQ(run.err, "");
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(run.out, parts, std::regex("([^\n]*\n)([\\s\\S]*)")));
    // The first line ends in the build date, as in "Nov  1 2026".
    EXPECT_TRUE(std::regex_match(parts[1].str(), std::regex("zamtik afn -mMinutes        "
                                                            "[A-Z][a-z]{2} [ 123][0-9] "
                                                            "[0-9]{4}\n")))
        << parts[1];
    EXPECT_EQ(parts[2], usagetail);
}

TEST_F(OneDirectory, RefusesAnUnusableCommandLineAndChangesNothing)
{
    file("a.jpg");
    std::vector<std::vector<std::string>> lines = {
        {"a.jpg"},
        {"a.jpg", "-m0", "-v"},
        {"a.jpg", "-m60", "-x"},
        {"-q", "a.jpg", "-m60"},
        {"a.jpg", "b.jpg", "-m60"},
        {"-m", "60", "a.jpg"},
        {"a.jpg", "-m2147483648"},
        {"/v", "-m60", "a.jpg"},
    };
    for (const auto &args : lines) {
        Outcome run = zamtik(args, dir.path());
        EXPECT_EQ(run.status, 7) << args[0];
        EXPECT_TRUE(run.out.ends_with(usagetail)) << run.out;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(mtimeof(dir.at("a.jpg")), mtime());
    }
}

TEST_F(OneDirectory, ShiftsEveryOrdinaryMatchingFileAndReportsIt)
{
    file("a.jpg");
    file("B.JPG");
    file("my photo.jpg");
    file("notes.txt");
    file(".hidden.jpg");
    makedir(dir.at("folder.jpg"));
    if (!windowsbuild()) { // Windows has no FIFOs, and Wine opens one as a file
        makefifo(dir.at("pipe.jpg"));
        makelink("nowhere", dir.at("dangling.jpg"));
    }

    Outcome run = zamtik({"*.jpg", "-m60", "-v"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, trace("*.jpg"));
    EXPECT_EQ(sortedlines(run.out), (std::vector<std::string>{"zamtik:B.JPG\n", "zamtik:a.jpg\n",
                                                              "zamtik:my photo.jpg\n"}));
    for (const char *name : {"a.jpg", "B.JPG", "my photo.jpg"}) {
        EXPECT_EQ(mtimeof(dir.at(name)), hourlater()) << name;
        EXPECT_EQ(atimeof(dir.at(name)), atime()) << name;
    }
    for (const char *name : {"notes.txt", ".hidden.jpg"})
        EXPECT_EQ(mtimeof(dir.at(name)), mtime()) << name;
}

TEST_F(OneDirectory, IsSilentWithoutVerbose)
{
    file("a.jpg");
    file("ro.jpg");
    makemode(dir.at("ro.jpg"), 0444);
    Outcome run = zamtik({"-m-60", "*.jpg"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(mtimeof(dir.at("a.jpg")), makets(1600000000 - 3600, keptnanos(123456789)));
    EXPECT_EQ(mtimeof(dir.at("ro.jpg")), mtime());
}

TEST_F(OneDirectory, ReportsAReadOnlyFileAsNotOpened)
{
    file("ro.jpg");
    makemode(dir.at("ro.jpg"), 0444);
    Outcome run = zamtik({"ro.jpg", "-m60", "-v"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "zamtik:ro.jpg didn't work in CreateFile\n");
    EXPECT_EQ(run.err, trace("ro.jpg"));
    EXPECT_EQ(mtimeof(dir.at("ro.jpg")), mtime());
}

TEST_F(OneDirectory, NeverOpensAFifoNamedByThePattern)
{
    if (windowsbuild())
        GTEST_SKIP() << "Windows has no FIFOs, and Wine opens one as a file";
    makefifo(dir.at("pipe"));
    Outcome run = zamtik({"pipe", "-m60", "-v"}, dir.path());
    EXPECT_EQ(run.status, 0); // a run that blocked would have been killed: -1
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, trace("pipe") + "zamtik:findify():\"pipe\" not found.\n");
}

TEST_F(OneDirectory, PrintsPathsAsTheSearchFormedThem)
{
    makedir(dir.at("photos"));
    file("photos/a.jpg");
    // The directory part as typed, then the separator the build writes where none ends it:
    // Windows writes "\\", also after a "/"; elsewhere a path ends up as the file's own.
    struct Case {
        std::string afn;
        std::string windows, posix;
    } cases[] = {{"photos/*.jpg", "photos/\\a.jpg", "photos/a.jpg"},
                 {"photos\\*.jpg", "photos\\a.jpg", "photos\\a.jpg"},
                 {"photos//a.JPG", "photos//\\a.jpg", "photos//a.jpg"},
                 {"./photos/?.jpg", "./photos/\\a.jpg", "./photos/a.jpg"}};
    long long seconds = 1600000000;
    for (const Case &c : cases) {
        Outcome run = zamtik({c.afn, "-m1", "-v"}, dir.path());
        seconds += 60;
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "zamtik:" + (windowsbuild() ? c.windows : c.posix) + "\n");
        EXPECT_EQ(run.err, trace(c.afn));
        EXPECT_EQ(mtimeof(dir.at("photos/a.jpg")), makets(seconds, keptnanos(123456789))) << c.afn;
    }
}

TEST_F(OneDirectory, SaysWhenNothingMatched)
{
    makedir(dir.at("photos"));
    struct Case {
        std::string afn;
        std::string shown; // the pattern as the split gives it back
    } cases[] = {{"*.none", "*.none"},
                 {"missing/*.jpg", "missing/*.jpg"},
                 {"photos/", "photos/"},
                 {"photos\\..", "photos\\.." + sep("/")},
                 {"photos/..", "photos/.." + sep("/")}};
    for (const Case &c : cases) {
        Outcome run = zamtik({"-v", c.afn, "-m5"}, dir.path());
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, trace(c.afn) + "zamtik:findify():\"" + c.shown + "\" not found.\n");
    }
}

TEST_F(OneDirectory, OppositeShiftsGiveBackEveryTimeToTheNanosecond)
{
    const timespec times[] = {makets(1600000000, keptnanos(123456789)), makets(0, keptnanos(1)),
                              makets(-1, keptnanos(999999999)),
                              makets(2000000000, keptnanos(999999999))};
    for (size_t i = 0; i < std::size(times); ++i)
        file(numbered("f", i), times[i]);
    ASSERT_EQ(zamtik({"f*", "-m1439"}, dir.path()).status, 0);
    EXPECT_EQ(mtimeof(dir.at("f0")), makets(1600000000 + 1439 * 60, keptnanos(123456789)));
    ASSERT_EQ(zamtik({"f*", "-m-1439"}, dir.path()).status, 0);
    for (size_t i = 0; i < std::size(times); ++i) {
        EXPECT_EQ(mtimeof(dir.at(numbered("f", i))), times[i]) << i;
        EXPECT_EQ(atimeof(dir.at(numbered("f", i))), atime()) << i;
    }
}

TEST_F(OneDirectory, LeavesATimeItCannotWriteAsItWas)
{
    // Back past 1601 the value wraps to one with its top bit set, which is refused; forward
    // past 2446 ext4 would clamp, which is found out and undone (tmpfs would store it).
    file("early", makets(0, 500));
    file("late", makets(15000000000, 500));
    Outcome run = zamtik({"early", "-m-2147483648", "-v"}, dir.path());
    EXPECT_EQ(run.out, "zamtik:early didn't work in SetFileTime\n");
    EXPECT_EQ(mtimeof(dir.at("early")), makets(0, 500));

    if (windowsbuild())
        return; // Wine writes the time to the Linux file system, which clamps it; NTFS holds it
    bool holds = fsholds(dir.path(), makets(15000000000 + 60000000 * 60LL, 500));
    run = zamtik({"late", "-m60000000", "-v"}, dir.path());
    EXPECT_EQ(run.status, 0);
    if (holds) {
        EXPECT_EQ(run.out, "zamtik:late\n");
        EXPECT_EQ(mtimeof(dir.at("late")), makets(15000000000 + 60000000 * 60LL, 500));
    } else {
        EXPECT_EQ(run.out, "zamtik:late didn't work in SetFileTime\n");
        EXPECT_EQ(mtimeof(dir.at("late")), makets(15000000000, 500));
    }
}

TEST_F(OneDirectory, NeverNamesAnotherFileThanTheOneListed)
{
    if (windowsbuild())
        GTEST_SKIP() << "no name on Windows holds a backslash";
    // "x\y.jpg" is one name here; the path formed from it would name x/y.jpg instead.
    file("x\\y.jpg");
    makedir(dir.at("x"));
    file("x/y.jpg");
    Outcome run = zamtik({"*.jpg", "-m60", "-v"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(mtimeof(dir.at("x/y.jpg")), mtime());
    EXPECT_EQ(mtimeof(dir.at("x\\y.jpg")), mtime());
}

TEST_F(OneDirectory, NamesTheListedFileAfterADriveDesignator)
{
    // On Windows "Z:*.jpg" lists drive Z:'s current directory (Wine's Z: is the root, and
    // its current directory the one the program starts in), and the path formed must name
    // the file listed there, not one in Z:'s root. Elsewhere the colon is a plain byte.
    file(windowsbuild() ? "a.jpg" : "Z:a.jpg");
    Outcome run = zamtik({"Z:*.jpg", "-m60", "-v"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "zamtik:Z:a.jpg\n");
    EXPECT_EQ(mtimeof(dir.at(windowsbuild() ? "a.jpg" : "Z:a.jpg")), hourlater());
}

TEST_F(OneDirectory, ShiftsNamesOfEveryScriptAndPrintsThemInUTF8)
{
    // No ANSI code page holds all three; the Windows build reads and prints them in UTF-8,
    // the code page its manifest asks for.
    const std::string names[] = {"café.txt", "日本語.txt", "emoji😀.txt"};
    for (const auto &name : names)
        file(name);
    Outcome run = zamtik({"*.TXT", "-m60", "-v"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(sortedlines(run.out),
              sortedlines("zamtik:café.txt\nzamtik:日本語.txt\nzamtik:emoji😀.txt\n"));
    for (const auto &name : names)
        EXPECT_EQ(mtimeof(dir.at(name)), hourlater()) << name;
    run = zamtik({"CAFÉ.*", "-m-60", "-v"}, dir.path());
    EXPECT_EQ(run.out, "zamtik:café.txt\n");
}

TEST_F(OneDirectory, LeavesSubdirectoriesAloneWithoutDescent)
{
    file("a.jpg");
    makedir(dir.at("sub"));
    file("sub/b.jpg");
    Outcome run = zamtik({"*.jpg", "-m60"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(mtimeof(dir.at("a.jpg")), hourlater());
    EXPECT_EQ(mtimeof(dir.at("sub/b.jpg")), mtime());
}

} // namespace
