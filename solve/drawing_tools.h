// The drawing tools' rules: the pencil's cell transitions, the hit test from twips to a board
// cell, and the rectangle tool's two corners and fill.
#pragma once

#include "board/board_model.h"

namespace zumeli {

// Mouse buttons as the board picture reports them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

// The pencil: left fills an empty or crossed cell and empties a filled one; right crosses an
// empty or filled cell and empties a crossed one. Any other value, and any other button,
// leaves the cell as it is.
int16 pencilValue(int16 before, int button);

// The board cell under a point of the board picture given in twips, each coordinate turned
// into a cell by twipsToCell (board/layout.h). A point off the board gives a cell outside it
// (possibly negative); the caller checks the cell with BoardModel::isAnswerCell before
// touching the board.
BoardPoint cellAt(double xTw, double yTw, int16 cellSize);

// Exchanges the two values.
void SwapValues(int16& a, int16& b);

// Puts the two corners in order in place (the caller's variables may come back exchanged),
// then writes `value` into every cell of the block between them, both corners included.
// Only answer cells are ever written: the block is clipped to the answer area, so a corner
// left over from another board cannot reach the clue band or beyond the board.
// Redrawing is the caller's part.
void FillRectangle(BoardModel& model, int16& x1, int16& y1, int16& x2, int16& y2, int16 value);

// The rectangle tool's state: the pending first corner, startX = -1 while there is none.
struct RectangleCorner {
    int16& startX;
    int16& startY;
};

enum class RectanglePress {
    Ignored,      // a button other than left or right: nothing changes
    StartChosen,  // the first corner is now pending
    Applied,      // the block was filled (left) or erased (right); no corner is pending
};

// One press of the rectangle tool on the answer cell (column, row).
RectanglePress pressRectangle(BoardModel& model, RectangleCorner corner, int16 column, int16 row,
                              int button);

} // namespace zumeli
