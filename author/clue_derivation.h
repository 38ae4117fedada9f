// Clue derivation: the lines of the board, the runs of filled cells along a line, and the
// rewriting of the clue band from the drawing in the answer area.
#pragma once

#include "board/board_model.h"

#include <vector>

namespace zumeli {

// One answer column or one answer row. Its clue cells are read from the outer edge of the
// clue band towards the answer area, its answer cells from there to the far edge of the board.
struct BoardLine {
    enum Kind { Column, Row };
    Kind kind = Column;
    int16 index = 0;  // the column x or the row y on the board
    bool operator==(const BoardLine&) const = default;
};

// Every answer column from left to right, then every answer row from top to bottom.
std::vector<BoardLine> answerLines(const BoardModel& model);

// The board cell holding clue cell i (0 = outermost) or answer cell i (0 = next to the band).
int16& clueCell(BoardModel& model, BoardLine line, int i);
int16 clueCell(const BoardModel& model, BoardLine line, int i);
int16 answerCell(const BoardModel& model, BoardLine line, int i);
int answerLength(const BoardModel& model, BoardLine line);

// The lengths of the runs of filled cells in reading order. Only kFilled counts as filled;
// empty cells, crosses and any other value end a run.
std::vector<int16> runsOfLine(const std::vector<int16>& cells);
std::vector<int16> runsOfLine(const BoardModel& model, BoardLine line);

// The clueSize clue cells a line with these runs gets: the runs packed against the answer
// area with blanks (0) in front; a line with more runs than clue cells keeps its first
// clueSize runs and drops the rest.
std::vector<int16> alignedClues(const std::vector<int16>& runs, int clueSize);

// Rewrites every clue cell of every answer column and row from the drawing. The corner of
// the band and the answer area are left as they are. Redrawing is the caller's part.
void deriveClues(BoardModel& model);

} // namespace zumeli
