// Conversions between the board model (clue band plus answer area) and the solver's clue lists.
#pragma once

#include "board/board_line.h"
#include "board/board_model.h"
#include "solve/engine/puzzle.h"

#include <stdexcept>

namespace zumeli {

// Raised when a puzzle does not fit the board model's limits.
class BoardLimitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The clues of the board: for each answer column its non-zero clue numbers top to bottom, for
// each answer row its non-zero clue numbers left to right (zeros skipped wherever they are).
solver::Puzzle puzzleFromBoard(const BoardModel& model);

// The number the solver gives the board line's clue in that puzzle: the rows first (0 for the
// top answer row), then the columns, as solver::LineState numbers its lines.
int solverLine(const BoardModel& model, BoardLine line);

// A board holding the puzzle's clues: answer area = the puzzle's size, clue band = the longest
// clue line (at least minClueSize), numbers packed against the answer area, every other cell
// 0. Throws BoardLimitError when the answer area exceeds 80 x 80, a dimension is 0, a line has
// more than 20 clues or a number does not fit the board's 16-bit cells. minClueSize is 1..20.
BoardModel boardFromPuzzle(const solver::Puzzle& puzzle, int minClueSize = 1);

// The drawn picture of the board's answer area: cells holding 1 filled, all others empty.
solver::CellGrid pictureFromBoard(const BoardModel& model);

} // namespace zumeli
