// Reading a whole input file for the command-line tool.
#include "cli/input_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zumeli::cli {

bool readInputFile(const char* path, std::string& text, std::string& error)
{
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        error = std::strerror(errno);
        return false;
    }
    text.clear();
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        text.append(buffer, got);
        if (static_cast<long>(text.size()) > kMaxInputBytes) {
            std::fclose(f);
            error = "file larger than 64 MB";
            return false;
        }
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = "read error";
        return false;
    }
    return true;
}

} // namespace zumeli::cli
