// Clue derivation: the rewriting of the clue band from the drawing in the answer area.
#pragma once

#include "board/board_line.h"
#include "board/board_model.h"

#include <vector>

namespace zumeli {

// The clueSize clue cells a line with these runs gets: the runs packed against the answer
// area with blanks (0) in front; a line with more runs than clue cells keeps its first
// clueSize runs and drops the rest.
std::vector<int16> alignedClues(const std::vector<int16>& runs, int clueSize);

// Rewrites every clue cell of every answer column and row from the drawing. The corner of
// the band and the answer area are left as they are. Redrawing is the caller's part.
void deriveClues(BoardModel& model);

} // namespace zumeli
