// What the end-to-end tests share: a temporary tree with files of known times, and the
// trace lines the program prints for each directory.
#pragma once

#include "run.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

// Fixture times, with nanoseconds below 100 where the build keeps them.
inline timespec atime()
{
    return makets(1500000000, keptnanos(424242424));
}
inline timespec mtime()
{
    return makets(1600000000, keptnanos(123456789));
}
inline timespec hourlater()
{
    return makets(1600000000 + 3600, keptnanos(123456789));
}

// The path with each "/" written as the separator the build writes: "\\" on Windows, "/"
// elsewhere. The paths the search forms are printed so.
inline std::string sep(std::string path)
{
    if (windowsbuild())
        std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The lines on standard error for one directory searched at the given depth.
inline std::string trace(const std::string &afn, int depth = 0)
{
    return "zamtik:findrecurse(\"" + afn + "\"):recursion " + std::to_string(depth) +
           "\nzamtik:findify(\"" + afn + "\")\n";
}

// The directories and files of a large generated tree: "d<d>" and "d<d>/f<f>.jpg".
inline std::string bigdir(int d)
{
    return numbered("d", d);
}
inline std::string bigfile(int d, int f)
{
    return numbered(bigdir(d) + "/f", f) + ".jpg";
}

class TreeTest : public testing::Test
{
  protected:
    // A file with known times.
    void file(const std::string &name, const timespec &write = mtime())
    {
        writefile(dir.at(name));
        settimes(dir.at(name), atime(), write);
    }
    // dirs directories of files files each, bigfile(d, f) with the last-write time time(d, f).
    template <typename Time>
    void bigtree(int dirs, int files, Time time)
    {
        for (int d = 0; d < dirs; ++d) {
            makedir(dir.at(bigdir(d)));
            for (int f = 0; f < files; ++f)
                file(bigfile(d, f), time(d, f));
        }
    }
    TempDir dir;
};
