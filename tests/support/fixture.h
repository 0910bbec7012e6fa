// Building small file trees for tests, and reading back their times to the nanosecond.
#pragma once

#include <ctime>
#include <ostream>
#include <string>
#include <vector>

// A fresh directory under the system's temporary directory, removed with all it holds.
class TempDir
{
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const
    {
        return root;
    }
    // root + "/" + relative
    std::string at(const std::string &relative) const;

  private:
    std::string root;
};

// prefix followed by the number n in decimal. (g++ 12 at -O3 warns falsely about
// "literal" + std::to_string(n).)
std::string numbered(const std::string &prefix, long long n);

timespec makets(long long seconds, long nanoseconds);
bool operator==(const timespec &a, const timespec &b);
void PrintTo(const timespec &t, std::ostream *out); // for test failure messages

void writefile(const std::string &path, const std::string &content = "x");
void makedir(const std::string &path);
void makefifo(const std::string &path);
void makelink(const std::string &target, const std::string &path);
void makemode(const std::string &path, unsigned mode);

// Sets both times of path (not following a final link).
void settimes(const std::string &path, const timespec &access, const timespec &write);
timespec mtimeof(const std::string &path);
timespec atimeof(const std::string &path);

// Whether the file system at path stores this last-write time as given.
bool fsholds(const std::string &path, const timespec &write);
