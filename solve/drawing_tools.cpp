// The drawing tools' rules: pencil transitions, hit test, rectangle corners and fill.
#include "solve/drawing_tools.h"

#include <algorithm>
#include <cmath>

namespace zumeli {

int16 pencilValue(int16 before, int button)
{
    if (button == kLeftButton) {
        switch (before) {
        case kEmpty: return kFilled;
        case kCross: return kFilled;
        case kFilled: return kEmpty;
        default: return before;
        }
    }
    if (button == kRightButton) {
        switch (before) {
        case kEmpty: return kCross;
        case kFilled: return kCross;
        case kCross: return kEmpty;
        default: return before;
        }
    }
    return before;
}

namespace {

// One coordinate of the hit test. The division drops the remainder towards zero, so a point
// just left of or above the board (on the picture's frame) still lands on column or row 0;
// anything farther off, or not a number at all, lands outside the board.
int cellIndex(double twips, int16 cellSize)
{
    if (!std::isfinite(twips) || cellSize <= 0)
        return -1;
    // Far beyond any board (101 cells of at most 32767 twips in all); keeps the conversion
    // below defined.
    const double clamped = std::clamp(twips, -1.0e6, 1.0e6);
    const long whole = std::lround(std::nearbyint(clamped));  // halves to even
    return static_cast<int>(whole / cellSize);
}

} // namespace

BoardCell cellAt(double xTw, double yTw, int16 cellSize)
{
    return {cellIndex(xTw, cellSize), cellIndex(yTw, cellSize)};
}

void SwapValues(int16& a, int16& b)
{
    const int16 kept = a;
    a = b;
    b = kept;
}

void FillRectangle(BoardModel& model, int16& x1, int16& y1, int16& x2, int16& y2, int16 value)
{
    if (x2 < x1)
        SwapValues(x1, x2);
    if (y2 < y1)
        SwapValues(y1, y2);
    const int left = std::max<int>(x1, model.clueSize);
    const int top = std::max<int>(y1, model.clueSize);
    const int right = std::min<int>(x2, model.gridWidth - 1);
    const int bottom = std::min<int>(y2, model.gridHeight - 1);
    for (int i = left; i <= right; ++i) {
        for (int j = top; j <= bottom; ++j)
            model.board(i, j) = value;
    }
}

RectanglePress pressRectangle(BoardModel& model, RectangleCorner corner, int16 column, int16 row,
                              int button)
{
    if (button != kLeftButton && button != kRightButton)
        return RectanglePress::Ignored;
    if (corner.startX == -1) {
        corner.startX = column;
        corner.startY = row;
        return RectanglePress::StartChosen;
    }
    const int16 value = button == kLeftButton ? kFilled : kEmpty;
    // Copies of the end corner, so the caller's cell is not exchanged by the ordering.
    int16 endX = column;
    int16 endY = row;
    FillRectangle(model, corner.startX, corner.startY, endX, endY, value);
    corner.startX = -1;
    return RectanglePress::Applied;
}

} // namespace zumeli
