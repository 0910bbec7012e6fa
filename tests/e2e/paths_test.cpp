// On Linux the paths a user types and reads are Linux paths: a pattern may be absolute, and
// every path the program prints names the file whose time it moved.
#include "tree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

class LinuxPaths : public TreeTest
{
  protected:
    void SetUp() override
    {
        if (windowsbuild())
            GTEST_SKIP() << "on Windows an argument that starts with \"/\" is an option, and "
                            "paths are written with \"\\\"";
        makedir(dir.at("albums"));
        makedir(dir.at("albums/2026-07 Lisbon"));
        makedir(dir.at("albums/2026-07 Lisbon/day 2"));
        for (const char *name : {"albums/cover.jpg", "albums/2026-07 Lisbon/IMG_0001.JPG",
                                 "albums/2026-07 Lisbon/day 2/IMG_0107.jpg"})
            file(name);
        file("albums/notes.txt");
    }

    // The identity of the file a path names, seen from the directory cwd; the path must name
    // a regular file.
    std::pair<dev_t, ino_t> identity(const std::string &cwd, const std::string &path)
    {
        int at = open(cwd.c_str(), O_RDONLY | O_DIRECTORY);
        struct stat st {
        };
        bool named = at >= 0 && fstatat(at, path.c_str(), &st, 0) == 0 && S_ISREG(st.st_mode);
        if (at >= 0)
            close(at);
        EXPECT_TRUE(named) << "\"" << path << "\" names no file from " << cwd;
        return {st.st_dev, st.st_ino};
    }

    const std::vector<std::string> matching = {"albums/cover.jpg",
                                               "albums/2026-07 Lisbon/IMG_0001.JPG",
                                               "albums/2026-07 Lisbon/day 2/IMG_0107.jpg"};
};

TEST_F(LinuxPaths, AnAbsolutePatternShiftsItsFilesAndPrintsTheirPaths)
{
    const std::string top = dir.at("albums");
    const std::vector<std::vector<std::string>> lines = {{top + "/*.jpg", "-m60", "-d", "-v"},
                                                         {"-v", "-d", "-m-60", top + "/*.jpg"}};
    long long seconds = 1600000000;
    for (const auto &args : lines) {
        // Run from elsewhere: the paths must not depend on the current directory.
        Outcome run = zamtik(args, "/");
        seconds += args[0] == "-v" ? -3600 : 3600;
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(sortedlines(run.out), sortedlines("zamtik:" + top + "/cover.jpg\nzamtik:" + top +
                                                    "/2026-07 Lisbon/IMG_0001.JPG\nzamtik:" + top +
                                                    "/2026-07 Lisbon/day 2/IMG_0107.jpg\n"));
        EXPECT_EQ(run.err, trace(top + "/*.jpg", 0) + trace(top + "/2026-07 Lisbon/*.jpg", 1) +
                               trace(top + "/2026-07 Lisbon/day 2/*.jpg", 2));
        for (const auto &name : matching)
            EXPECT_EQ(mtimeof(dir.at(name)), makets(seconds, keptnanos(123456789))) << name;
        EXPECT_EQ(mtimeof(dir.at("albums/notes.txt")), mtime());
    }
}

TEST_F(LinuxPaths, EveryPrintedPathNamesTheFileThatMoved)
{
    std::set<std::pair<dev_t, ino_t>> moved;
    for (const auto &name : matching)
        moved.insert(identity(dir.path(), name));
    const std::string patterns[] = {"albums/*.jpg", "./albums//*.JPG", "albums/../albums/*.jpg",
                                    dir.at("albums/*.jpg"), "albums/./*.jpg"};
    for (const auto &pattern : patterns) {
        Outcome run = zamtik({pattern, "-m1", "-d", "-v"}, dir.path());
        EXPECT_EQ(run.status, 0);
        std::set<std::pair<dev_t, ino_t>> named;
        for (const auto &line : sortedlines(run.out)) {
            ASSERT_TRUE(line.starts_with("zamtik:") && line.ends_with("\n")) << line;
            named.insert(identity(dir.path(), line.substr(7, line.size() - 8)));
        }
        EXPECT_EQ(named, moved) << pattern << ":\n" << run.out;
    }
    // Five runs of one minute each.
    for (const auto &name : matching)
        EXPECT_EQ(mtimeof(dir.at(name)), makets(1600000000 + 5 * 60, keptnanos(123456789)));
}

} // namespace
