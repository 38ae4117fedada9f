// The error the puzzle file readers (.non, webpbn XML) throw for malformed or absurd input.
#pragma once

#include <stdexcept>
#include <string>

namespace zumeli {

class PuzzleFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The readers refuse puzzles with more lines than this either way.
constexpr int kMaxPuzzleLines = 1000;

} // namespace zumeli
