// The command-line grammar on argument vectors of any bytes and any count: either the line
// is refused, or it gives settings that reading the same arguments again reproduces, with
// the file argument one of the arguments and a shift that is not 0.
#include "cli/args.h"
#include "cli/settings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The arguments are the input split at NUL bytes.
    std::vector<std::string> words = {"zamtik"};
    std::string word;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += char(data[i]);
        }
    }
    words.push_back(word);
    std::vector<char *> argv;
    for (auto &w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    int argc = int(words.size());

    settings = RunSettings{};
    bool usable = readargs(argc, argv.data());
    RunSettings first = settings;
    settings = RunSettings{};
    if (readargs(argc, argv.data()) != usable)
        std::abort();
    if (!usable)
        return 0;
    if (settings.afn != first.afn || settings.minutes != first.minutes ||
        settings.recurse != first.recurse || settings.verbose != first.verbose)
        std::abort();
    if (first.minutes == 0 || first.afn == nullptr)
        std::abort();
    bool isargument = false;
    for (int i = 1; i < argc; ++i)
        isargument = isargument || first.afn == argv[i];
    if (!isargument)
        std::abort();
    return 0;
}
