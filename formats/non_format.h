// Reading and writing puzzles in the plain-text .non format.
#pragma once

#include "formats/format_errors.h"
#include "solve/engine/puzzle.h"

#include <string>
#include <string_view>

namespace zumeli {

// Reads a .non text (LF or CR LF). Throws PuzzleFormatError naming the fault for anything
// malformed: missing blocks, wrong line counts, bad or out-of-range numbers, binary data.
// Unknown keywords and blank lines are skipped.
solver::Puzzle parseNonText(std::string_view text);

// Writes the puzzle as .non text: its properties, width, height, rows, columns and goal.
std::string nonText(const solver::Puzzle& puzzle);

} // namespace zumeli
