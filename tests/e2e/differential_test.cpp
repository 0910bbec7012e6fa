// The native build against the Windows build under Wine, on the same generated trees: both
// must adjust the same files and report the same lines. Wine is an implementation of the
// Win32 calls independent of ours; where the two disagree below, ours does what Windows
// itself does and Wine does not, and the table of known differences says why.
#include "run.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace
{

// Names as a Windows user has them: mixed case, with and without dots, several dots,
// spaces, hidden ones; and directories, some of which match the patterns themselves.
const char *const filenames[] = {
    "a",
    "A.TXT",
    "ab",
    "abc",
    "ab.txt",
    "aXXbc.txt",
    "abbb.t",
    "a.b",
    "a.b.c",
    "B.Txt",
    "notes",
    "IMG_0001.JPG",
    "img_0002.jpg",
    "IMG_0003.jpeg",
    "photo.jpg.bak",
    "x.tar.gz",
    "temp.txt",
    "temptemp.txt",
    "my photo.jpg",
    "readme",
    "README.md",
    "t",
    "tt.t",
    ".hidden",
    ".hidden.txt",
    "Makefile",
    "archive.TAR.GZ",
    "a1",
};
const char *const dirnames[] = {"sub", "Sub.jpg", "a.dir", "abc.txt", ".secret", "deep"};

// The names in root, and in each of the directories below it, and so on depth levels down
// through the one called "deep".
struct Tree {
    std::vector<std::string> files;
    std::vector<std::string> dirs;
    int depth;
};

void maketree(const std::string &root, const Tree &tree, int depth)
{
    for (const auto &name : tree.files) {
        std::string path = root + "/" + name;
        writefile(path);
        settimes(path, makets(1500000000, 0), makets(1600000000, 0));
    }
    if (depth == 0)
        return;
    for (const auto &name : tree.dirs) {
        makedir(root + "/" + name);
        maketree(root + "/" + name, tree, name == "deep" ? depth - 1 : 0);
    }
}

// What a run did: the files whose time moved, and the lines it printed, sorted, with the
// separators the two builds write ("\\" on Windows, "/" on Linux) made equal.
struct Effect {
    std::set<std::string> shifted;
    std::vector<std::string> out;
    std::vector<std::string> err;
};

std::vector<std::string> slashedlines(std::string text)
{
    std::replace(text.begin(), text.end(), '\\', '/');
    return sortedlines(text);
}

Effect runon(const Target &build, const std::string &root, const std::vector<std::string> &args)
{
    Outcome run = runbuild(build, args, root);
    EXPECT_EQ(run.status, 0);
    Effect effect{{}, slashedlines(run.out), slashedlines(run.err)};
    for (const auto &entry : std::filesystem::recursive_directory_iterator(root))
        if (entry.is_regular_file() && !(mtimeof(entry.path()) == makets(1600000000, 0)))
            effect.shifted.insert(std::filesystem::relative(entry.path(), root).string());
    return effect;
}

// Where Wine and Windows part ways, for the patterns below. Windows rewrites a pattern before
// it matches: "*" before a dot becomes a DOS star, which stops at the name's last dot, and
// dots at the end are dropped after that; "?" becomes a DOS question mark, which takes no
// dot and may take nothing at a dot or at the end of the name. Wine drops a trailing dot
// before it rewrites, and keeps "?" as exactly one byte of any kind. Ours does as Windows.
struct Difference {
    const char *pattern;
    std::vector<std::string> onlyours;   // names that Windows and ours shift, Wine not
    std::vector<std::string> onlytheirs; // names that Wine shifts, Windows and ours not
};

const std::vector<std::string> withdots = {
    "A.TXT",        "B.Txt",        "IMG_0001.JPG",  "IMG_0003.jpeg", "README.md",
    "a.b",          "a.b.c",        "aXXbc.txt",     "ab.txt",        "abbb.t",
    "img_0002.jpg", "my photo.jpg", "photo.jpg.bak", "temp.txt",      "temptemp.txt",
    "tt.t",         "x.tar.gz",     "archive.TAR.GZ"};

const std::vector<Difference> knowndifferences = {
    // "*." is the names without a dot; Wine reads it as "*"
    {"*.", {}, withdots},
    {"t*.", {}, {"temp.txt", "temptemp.txt", "tt.t"}},
    // "?" may take nothing at the end, so a name without a dot matches "*.?"
    {"*.?", {"Makefile", "a", "a1", "ab", "abc", "notes", "readme", "t"}, {}},
    {"?.?", {"a", "t"}, {}},
    {"??", {"a", "t"}, {}},
    {"???", {"a", "a1", "ab", "t"}, {"a.b"}},
    {"a?", {"a"}, {}},
    {"a*b?.t*", {"ab.txt"}, {}},
};

// Runs both builds with each pattern on a tree of their own, and checks that they shift the
// same files and print the same lines, but for the differences known.
void compare(const Tree &tree, const std::vector<std::string> &patterns,
             const std::vector<Difference> &differences)
{
    ASSERT_TRUE(windowsbuild() && !target.native.empty())
        << "runs the Windows build under Wine against the native build given by --native";
    Target native;
    native.binary = target.native;
    std::set<std::tuple<std::string, std::string, bool>> found;
    for (const auto &pattern : patterns) {
        TempDir nativetree, windowstree;
        maketree(nativetree.path(), tree, tree.depth);
        maketree(windowstree.path(), tree, tree.depth);
        std::vector<std::string> args = {pattern, "-m60", "-d", "-v"};
        Effect ours = runon(native, nativetree.path(), args);
        Effect theirs = runon(target, windowstree.path(), args);

        // Every directory holds the same names, and a difference shows in each of them.
        auto name = [](const std::string &path) {
            return std::filesystem::path(path).filename().string();
        };
        for (const auto &file : ours.shifted)
            if (!theirs.shifted.count(file))
                found.insert({pattern, name(file), true});
        for (const auto &file : theirs.shifted)
            if (!ours.shifted.count(file))
                found.insert({pattern, name(file), false});
        if (ours.shifted == theirs.shifted) {
            EXPECT_EQ(ours.out, theirs.out) << pattern;
            EXPECT_EQ(ours.err, theirs.err) << pattern;
        }
    }
    std::set<std::tuple<std::string, std::string, bool>> known;
    for (const Difference &d : differences) {
        for (const auto &name : d.onlyours)
            known.insert({d.pattern, name, true});
        for (const auto &name : d.onlytheirs)
            known.insert({d.pattern, name, false});
    }
    for (const auto &[pattern, file, bynative] : found)
        EXPECT_TRUE(known.count({pattern, file, bynative}))
            << "pattern " << pattern << ": " << file << " shifted only by the "
            << (bynative ? "native build" : "Windows build under Wine");
    // A known difference that is no longer seen means one of the two builds changed.
    for (const auto &[pattern, file, bynative] : known)
        EXPECT_TRUE(found.count({pattern, file, bynative}))
            << "known difference no longer seen: " << pattern << " " << file;
}

TEST(Differential, BothBuildsAdjustTheSameFiles)
{
    Tree tree{{std::begin(filenames), std::end(filenames)},
              {std::begin(dirnames), std::end(dirnames)},
              2};
    compare(tree, {"*",     "*.*",          "*.",    "?",        "??",  "???", "a*",  "A*",
                   "*.txt", "*.TXT",        "*.t?t", "a*b?.t*",  "a.*", "*a*", "?.?", "a?",
                   "*.jpg", "IMG_????.JPG", ".*",    "*.tar.gz", "t*.", "*.t", "b.*", "*.?"},
            knowndifferences);
}

// Names in many scripts, each compared as Windows compares names: UTF-16 units by their
// simple uppercase mapping, "?" one unit.
const char *const unicodenames[] = {
    "été.jpg",      "Ångström.txt",  "naïve.TXT",  "ωmega2.txt", "λόγος.txt",  "ΣΟΦΙΑ.txt",
    "дом2.txt",     "ЖУК.txt",       "日本語.txt", "漢字.jpg",   "ａｂｃ.txt", "ＸＹＺ.TXT",
    "ⅻ.txt",        "Ⅳ.jpg",         "ﬁle.txt",    "ǅemal.txt",  "ǈubo.txt",   "ıspanak.txt",
    "İstanbul.txt", "istanbul2.txt", "straße.txt", "ẞig.txt",    "emoji😀.txt", "😀.jpg",
    "𐐨𐐯.txt",       "abc.txt",       "file.txt",
};

// Wine's "?" takes exactly one unit, as with the names above; Windows' DOS question mark
// may take nothing at a dot.
const std::vector<Difference> knownunicodedifferences = {
    {"??.jpg", {"Ⅳ.jpg"}, {}},
    {"???.txt", {"ⅻ.txt"}, {}},
};

TEST(Differential, BothBuildsMatchNamesInEveryScript)
{
    Tree tree{{std::begin(unicodenames), std::end(unicodenames)}, {"sub", "Δέλτα", "deep"}, 2};
    compare(tree,
            {"É*",     "é*",      "*.TXT",       "ΩMEGA*",     "ωmega*", "ΛΌΓΟΣ*",   "λόγοσ*",
             "σοφια*", "ДОМ*",    "жук*",        "日?語.txt",  "日*",    "ＡＢＣ*",  "ａｂｃ*",
             "abc*",   "Ⅻ*",      "ⅳ*",          "FILE*",      "ﬁ*",     "Ǆ*",       "ǆ*",
             "Ǉ*",     "I*",      "i*",          "İ*",         "ı*",     "STRASSE*", "STRAßE*",
             "ß*",     "ẞ*",      "emoji??.txt", "emoji?.txt", "?.jpg",  "??.jpg",   "𐐀*",
             "*𐐨*",    "?t?.jpg", "???.txt",     "*É*",        "δέλτα*", "STAR*",    "ΜSEC*",
             "ŸES*",   "ΒETA*"},
            knownunicodedifferences);
}

} // namespace
