// Reading and writing the program's comma-separated number lines (puzzle and answer-state
// files): splitting a whole text into lines and items, and 16-bit numbers in and out.
#pragma once

#include "board/int16.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zumeli {

// Raised for a puzzle or answer-state text that cannot be read: malformed, truncated, binary,
// too large, or holding values the board cannot take.
class FileFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest puzzle or answer-state text the program reads. A full 100 x 100 board written
// with the widest 16-bit values stays far below this.
constexpr std::size_t kMaxTextFileBytes = 4 * 1024 * 1024;

// The line ending of every file the program writes.
inline constexpr std::string_view kLineEnd = "\r\n";

// The lines of a text: lines end in CR LF or LF alone; a last line without an ending counts,
// an empty text has no lines. A UTF-8 byte-order mark at the start is skipped (editors add
// one). Throws FileFormatError for a text over kMaxTextFileBytes or one holding a NUL byte
// (a binary file).
std::vector<std::string_view> splitLines(std::string_view text);

// The items of one line split at ","; an empty line has no items, "1,,2" has three.
std::vector<std::string_view> splitItems(std::string_view line);

// One item as a 16-bit value: a decimal number, rounded to the nearest whole number (halves
// to even). Throws FileFormatError for a non-number or a value outside -32768..32767.
int16 readItem16(std::string_view item);

// One header number: a decimal number with its fractional part dropped (rounded down).
// Throws FileFormatError for a non-number or a value outside -32768..32767.
int16 readFloor16(std::string_view item);

// Numbers joined by "," with no spaces and no trailing comma, followed by CR LF.
void appendNumberLine(std::string& out, const std::vector<int16>& numbers);

} // namespace zumeli
