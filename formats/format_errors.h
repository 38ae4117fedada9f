// The errors the puzzle and answer-state readers throw, and the limits every reader keeps.
#pragma once

#include <cstddef>
#include <stdexcept>

namespace zumeli {

// Raised for a puzzle (.zml) or answer-state (.sts) text that cannot be read: malformed,
// truncated, binary, too large, or holding values the board cannot take.
class FileFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by the .non and webpbn XML readers for malformed or absurd input.
class PuzzleFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest puzzle or answer-state text the program reads. A full 100 x 100 board written
// with the widest 16-bit values stays far below this.
constexpr std::size_t kMaxTextFileBytes = 4 * 1024 * 1024;

// The .non and webpbn XML readers refuse puzzles with more lines than this either way.
constexpr int kMaxPuzzleLines = 1000;

} // namespace zumeli
