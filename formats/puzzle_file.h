// The puzzle file (.zml): the board's dimensions and clue band as comma-separated text, read
// into a new board and written from one.
#pragma once

#include "board/board_model.h"
#include "formats/format_errors.h"

#include <string>
#include <string_view>

namespace zumeli {

// The bytes of the puzzle file for `model`: the header "clueSize,W,H", then one line per
// answer column (its band cells top to bottom) and one per answer row (left to right). A line
// keeps every non-zero cell and always the cell touching the answer area, so an empty line
// is "0". ASCII, "," between numbers, CR LF after every line. Throws FileFormatError for a
// board the reader would refuse (no clue band, an empty answer area, larger than the board).
std::string puzzleText(const BoardModel& model);

// The dimensions a puzzle may have: a clue band and an answer area of at least one cell each
// way, and the whole in use inside the board's 0..100 (gridWidth, gridHeight <= 100). Throws
// FileFormatError otherwise.
void checkPuzzleDimensions(long clueSize, long answerWidth, long answerHeight);

// A new board read from a puzzle file's text: every cell 0 except the clue band, whose lines
// are put back packed against the answer area. The whole text is checked before anything is
// returned; throws FileFormatError for anything malformed or beyond the board. Lines may end
// in CR LF or LF; lines after the last row line are ignored.
BoardModel parsePuzzleText(std::string_view text);

} // namespace zumeli
