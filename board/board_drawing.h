// The board's drawing rules: grid, clue numbers and answer cells drawn into the board picture.
#pragma once

#include "board/board_model.h"
#include "board/board_picture.h"
#include "board/layout.h"

#include <QLine>
#include <QPoint>
#include <QString>

namespace zumeli {

// The text a clue number is printed as: a blank before a number that is not negative.
QString clueText(int value);

// Clears the picture, draws the corner diagonal and every grid line.
void drawGrid(BoardPicture& picture, const BoardModel& model, const BoardLayout& layout);

// Where the clue number `value` of cell (x, y) starts, in twips: one character starts
// 15 * zoom/100 inside the cell, a longer number 25 * zoom/100 left of it (the leading
// blank of clueText moves its digits back into the cell).
QPoint clueTextOrigin(int value, int16 x, int16 y, const BoardLayout& layout, double zoom);

// Prints the clue number `value` of cell (x, y) at clueTextOrigin.
void drawClueNumber(BoardPicture& picture, int value, int16 x, int16 y, const BoardLayout& layout,
                    double zoom);

// Prints every shown clue number: non-zero ones, and the innermost row and column always.
void drawClueNumbers(BoardPicture& picture, const BoardModel& model, const BoardLayout& layout,
                     double zoom);

// Draws one answer cell: white box, black box for 1, a cross for 2.
void drawCell(BoardPicture& picture, int value, int16 x, int16 y, const BoardLayout& layout);

// Draws every answer cell.
void drawAnswerCells(BoardPicture& picture, const BoardModel& model, const BoardLayout& layout);

// The two thick borders between the clue band and the answer area, in twips:
// the vertical one (first) and the horizontal one (second).
struct BorderLines {
    QLine vertical;
    QLine horizontal;
};
BorderLines borderLines(const BoardModel& model, const BoardLayout& layout);

// Width in pixels of the two border lines.
constexpr int kBorderPenPixels = 3;

} // namespace zumeli
