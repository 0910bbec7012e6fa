// A run stopped part way: its report names exactly the files whose time moved, so that the
// user can undo it or finish it, and the process ends as the stop asked.
#include "tree.h"

#include <gtest/gtest.h>

#include <csignal>
#include <map>

namespace
{

using Interruption = TreeTest;

TEST_F(Interruption, TheReportNamesExactlyTheFilesThatMoved)
{
    // 100,000 files in 1,000 directories, so that the stop comes long before the end.
    const int dirs = 1000, files = 100;
    auto base = [](int d, int f) { return makets(1600000000 + d, keptnanos(f * 1000 + 7)); };
    bigtree(dirs, files, base);

    // Shifts of 1, 2 and 4 minutes: whatever each run moved, every file's time tells which.
    // Wine turns SIGINT into a Ctrl-C event; Windows has no console event for the others.
    std::vector<int> signals = {SIGINT};
    if (!windowsbuild())
        signals = {SIGINT, SIGTERM, SIGHUP};
    std::map<std::string, int> minutes;
    int shift = 1;
    for (int signal : signals) {
        Outcome run =
            zamtik({"*.jpg", numbered("-m", shift), "-d", "-v"}, dir.path(), stoppedby(signal));
        if (windowsbuild()) {
            // STATUS_CONTROL_C_EXIT, 0xC000013A, of which Wine hands on the low byte.
            EXPECT_EQ(run.status, 0x3A) << signal;
        } else {
            EXPECT_EQ(run.signal, signal) << "status " << run.status;
        }
        size_t lines = 0;
        for (const auto &line : sortedlines(run.out)) {
            ASSERT_TRUE(line.starts_with("zamtik:") && line.ends_with(".jpg\n")) << line;
            std::string path = line.substr(7, line.size() - 8);
            std::replace(path.begin(), path.end(), '\\', '/');
            minutes[path] += shift;
            ++lines;
        }
        EXPECT_GT(lines, 0u) << signal;
        EXPECT_LT(lines, size_t(dirs * files)) << "the run ended before the stop";
        shift *= 2;
    }
    for (int d = 0; d < dirs; ++d)
        for (int f = 0; f < files; ++f) {
            timespec expected = base(d, f);
            expected.tv_sec += minutes[bigfile(d, f)] * 60;
            ASSERT_EQ(mtimeof(dir.at(bigfile(d, f))), expected) << bigfile(d, f);
        }
}

} // namespace
