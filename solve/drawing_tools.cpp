// The drawing tools' rules: pencil transitions, hit test, rectangle corners and fill.
#include "solve/drawing_tools.h"

#include "board/layout.h"

#include <algorithm>

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

BoardPoint cellAt(double xTw, double yTw, int16 cellSize)
{
    return {twipsToCell(xTw, cellSize), twipsToCell(yTw, cellSize)};
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
