#include "search/search.h"

#include <string_view>

static bool isseparator(char c)
{
    return c == '\\' || c == '/';
}

static bool isleadbyte(char c)
{
    return IsDBCSLeadByte(BYTE(c)) != FALSE;
}

// Whether the byte at index is the second byte of a double-byte character; only a walk from
// the start can tell.
static bool istrailbyte(const std::string &text, size_t index)
{
    for (size_t i = 0; i < index; ++i)
        if (isleadbyte(text[i]) && ++i == index)
            return true;
    return false;
}

static bool isdrive(const std::string &text)
{
    return dospaths && text.size() == 2 && text[1] == ':' && !isleadbyte(text[0]);
}

char lastchar(std::string text)
{
    return text.empty() ? '\0' : text.back();
}

std::string dirslash(std::string text)
{
    // A bare drive designator stays as it is: "C:" names the drive's current directory, and
    // a backslash would make it the root.
    if (text.empty() || isdrive(text))
        return text;
    bool ended = std::string_view(dirends).find(lastchar(text)) != std::string_view::npos;
    if (!ended || istrailbyte(text, text.size() - 1))
        text += sepchar;
    return text;
}

void dirsplit(std::string path, std::string &dir, std::string &name)
{
    size_t start = isdrive(path.substr(0, 2)) ? 2 : 0;

    // The directory component runs up to and including the last separator.
    size_t filestart = start;
    for (size_t i = start; i < path.size(); ++i) {
        if (isleadbyte(path[i]) && i + 1 < path.size())
            ++i;
        else if (isseparator(path[i]))
            filestart = i + 1;
    }
    std::string directory = path.substr(start, filestart - start);
    std::string file = path.substr(filestart);

    // "." and ".." name directories; on DOS paths "..." is ".." followed by ".". The dots
    // moved over are the only way the directory component can end in something else than a
    // separator.
    size_t moved = 0;
    if (file == "." || file == "..")
        moved = file.size();
    else if (dospaths && file == "...")
        moved = 2;
    if (moved != 0) {
        directory.append(file, 0, moved);
        directory += sepchar;
        file.erase(0, moved);
    }

    dir = path.substr(0, start) + directory;
    name = file;
}
