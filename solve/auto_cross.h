// Auto-cross: a line whose fills have just come to form exactly its clues gets its remaining
// empty cells crossed.
#pragma once

#include "board/board_model.h"

#include <vector>

namespace zumeli {

// Crosses the empty answer cells of every line that is finished on `model` (lineFinished) and
// was not on `before`, a board of the same dimensions; returns the cells crossed. Lines finished
// already before are left alone, so a cross the player took away stays away, and a board
// without clue numbers gets no crosses at all (nothing there is a puzzle being solved).
std::vector<BoardPoint> crossFinishedLines(BoardModel& model, const BoardModel& before);

} // namespace zumeli
