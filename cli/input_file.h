// Reading a whole input file for the command-line tool, with the size it accepts.
#pragma once

#include "formats/whole_file.h"

#include <cstddef>
#include <string>

namespace zumeli::cli {

// The largest input file the tool reads: far past any puzzle, small enough for memory.
constexpr std::size_t kMaxInputBytes = 64u * 1024 * 1024;

// The file at `path`, a pipe or device included. Throws FileAccessError with the reason when
// it cannot be opened or read, or is larger than kMaxInputBytes.
inline std::string readInputFile(const char* path)
{
    return readWholeFile(path, kMaxInputBytes, StreamFiles::Read);
}

} // namespace zumeli::cli
