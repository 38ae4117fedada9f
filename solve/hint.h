// Help for a player who is stuck: the next line that line logic can advance from the player's
// own marks, the marks that differ from the one solution, and the lines already finished.
// Only the clue band and the marks in the answer area are read, never a stored picture.
#pragma once

#include "board/board_line.h"
#include "board/board_model.h"
#include "solve/engine/puzzle.h"

#include <optional>
#include <vector>

namespace zumeli {

struct Hint {
    enum class Kind {
        Cells,           // `line` decides the cells in toFill and toCross
        MarksContradict, // the marks cannot all be right; `line` when one line alone shows it
        CluesContradict, // line logic shows the clues have no solution, marks or not
        NeedsSearch,     // no single line decides a cell the player has not marked
        Finished,        // every line is finished (lineFinished)
        NoClues,         // the clue band holds no number
        BadClues,        // a clue number is negative: no run can have that length
    };
    Kind kind = Kind::NeedsSearch;
    std::optional<BoardLine> line;
    std::vector<BoardPoint> toFill;   // unmarked cells the line's logic says are filled
    std::vector<BoardPoint> toCross;  // unmarked cells it says are empty
};

// The hint for the board as it stands. Filled cells (kFilled) are known filled, crosses
// (kCross) known empty; every other value is unmarked. Each line is solved on its own from
// those marks, and the line deciding the most unmarked cells is chosen; between lines that
// decide as many, the first in the order of answerLines (columns left to right, then rows top
// to bottom). Before a hint is given the marks are run through line logic over the whole
// board: when that meets a contradiction the marks are reported wrong (or, when line logic
// finds no solution even on a board without marks, the clues), so a hint never builds on
// marks that are already known to be wrong.
Hint findHint(const BoardModel& model);

// The answer cells whose marks differ from `solution` (the answer area's picture, row by row):
// filled cells the solution leaves empty and crosses on cells it fills, row by row, left to
// right. Unmarked cells are never mistakes. The solution must have the answer area's size.
std::vector<BoardPoint> mistakeCells(const BoardModel& model, const solver::CellGrid& solution);

// Whether the filled cells of `line` form exactly its clue numbers: the same runs in the same
// order, and no more (stricter than the answer check, which looks no further than the band).
bool lineFinished(const BoardModel& model, BoardLine line);

} // namespace zumeli
