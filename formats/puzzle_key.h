// The key a puzzle's progress is kept under: one canonical text of its row and column clues.
#pragma once

#include "board/board_model.h"
#include "solve/engine/puzzle.h"

#include <string>

namespace zumeli {

// "W x H: rows / columns", each line's clue numbers joined by '.', an empty line written "0",
// lines joined by ','. For example a 3 x 2 puzzle with rows {2}, {1 1} and columns {2}, {},
// {1}: "3x2:2,1.1/2,0,1". Two puzzles have the same key exactly when they have the same size
// and the same clues, whatever file, title, goal picture or clue band they came with.
std::string puzzleKey(const solver::Puzzle& puzzle);

// The key of the clues on the board (blank clue cells skipped wherever they stand, as the
// answer check reads them).
std::string puzzleKey(const BoardModel& model);

} // namespace zumeli
