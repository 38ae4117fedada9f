// The board's lines: every answer column and answer row, its clue cells, its answer cells, the
// runs of filled cells along it and its clue numbers, walked in one place for every reader,
// writer and rule that works line by line.
#pragma once

#include "board/board_model.h"

#include <vector>

namespace zumeli {

// One answer column or one answer row. Its cells are read from the outer edge of the clue band
// towards the answer area (a column top to bottom, a row left to right): first its clueSize
// clue cells, then its answer cells up to gridHeight - 1 (a column) or gridWidth - 1 (a row).
struct BoardLine {
    enum Kind { Column, Row };
    Kind kind = Column;
    int16 index = 0;  // the column x or the row y on the board
    bool operator==(const BoardLine&) const = default;
};

// Every answer column from left to right, then every answer row from top to bottom.
std::vector<BoardLine> answerLines(const BoardModel& model);
// Only the answer columns, left to right, or only the answer rows, top to bottom.
std::vector<BoardLine> answerColumns(const BoardModel& model);
std::vector<BoardLine> answerRows(const BoardModel& model);

// The board cell `along` places from the outer edge of the band: board(index, along) for a
// column, board(along, index) for a row. Throws IndexError outside the board.
int16& lineCell(BoardModel& model, BoardLine line, int along);
int16 lineCell(const BoardModel& model, BoardLine line, int along);

// Where that cell is: (index, along) for a column, (along, index) for a row. Throws when
// `along` leaves the 16-bit range.
BoardPoint linePoint(BoardLine line, int along);

// Clue cell i (0 = outermost, clueSize - 1 = next to the answer area) and answer cell i
// (0 = next to the band).
int16& clueCell(BoardModel& model, BoardLine line, int i);
int16 clueCell(const BoardModel& model, BoardLine line, int i);
int16& answerCell(BoardModel& model, BoardLine line, int i);
int16 answerCell(const BoardModel& model, BoardLine line, int i);
// The number of answer cells: the answer height for a column, the answer width for a row.
int answerLength(const BoardModel& model, BoardLine line);

// All clueSize clue cells, and all answer cells, in reading order.
std::vector<int16> clueCells(const BoardModel& model, BoardLine line);
std::vector<int16> answerCells(const BoardModel& model, BoardLine line);

// The non-zero clue numbers in reading order: blank clue cells are skipped wherever they
// stand, so gaps inside the band close up.
std::vector<int16> clueNumbers(const BoardModel& model, BoardLine line);

// Writes the numbers into the line's last clue cells, packed against the answer area (the last
// number next to it), and blanks (0) into the clue cells before them. Throws IndexError when
// there are more numbers than clue cells.
void setPackedClues(BoardModel& model, BoardLine line, const std::vector<int16>& numbers);

// The lengths of the runs of filled cells in reading order. Only kFilled counts as filled;
// empty cells, crosses and any other value end a run.
std::vector<int16> runsOfLine(const std::vector<int16>& cells);
std::vector<int16> runsOfLine(const BoardModel& model, BoardLine line);

} // namespace zumeli
