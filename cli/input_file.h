// Reading a whole input file for the command-line tool, with the size it accepts.
#pragma once

#include <string>

namespace zumeli::cli {

// The largest input file the tool reads: far past any puzzle, small enough for memory.
constexpr long kMaxInputBytes = 64L * 1024 * 1024;

// Reads the file at `path` into `text`. False with the reason in `error` when it cannot be
// opened or read, or is larger than kMaxInputBytes.
bool readInputFile(const char* path, std::string& text, std::string& error);

} // namespace zumeli::cli
