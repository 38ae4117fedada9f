// The board's drawing rules: grid, clue numbers and answer cells drawn into the board picture.
#pragma once

#include "board/board_model.h"
#include "board/drawing/board_picture.h"
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

// How the clue number `value` of cell (x, y) is printed: its text, where it starts in twips,
// and how much narrower its glyphs are drawn.
struct CluePrint {
    QString text;
    QPoint originTw;
    qreal horizontalScale = 1;
};
// A single character is printed as designed: clueText at clueTextOrigin. So is a longer number
// whose ink stays between the cell's grid lines. One that would reach them or beyond (two
// digits in a cell of 13 pixels) is printed without its blank, narrowed to the width between
// the lines and centred there, at the designed height.
CluePrint cluePrint(BoardPicture& picture, int value, int16 x, int16 y, const BoardLayout& layout,
                    double zoom);

// Prints the clue number `value` of cell (x, y) as cluePrint says.
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
