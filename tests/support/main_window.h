// The main window as the window tests start it, on a board of its own with a scripted
// desktop, and presses and clicks on its board cells. Header-only: the window tests alone use
// it.
#pragma once

#include "board/layout.h"
#include "main_window/Form1.h"
#include "support/scripted_desktop.h"
#include "widgets/board_view.h"

#include <QPoint>
#include <QTest>

namespace zumeli::test {

// A fresh main window showing `model`, its desktop scripted, and its parts at hand (`ui`).
struct MainWindow {
    ScriptedDesktop desktop;
    BoardModel model;
    Form1 form{desktop, model};
    Form1::Parts ui = form.parts();
};

// The point of the board picture control (widget pixels) over the middle of board cell (x, y).
inline QPoint cellPoint(Form1& form, int x, int y)
{
    const int16 cellSize = form.parts().layout.cellSize;
    const int half = cellSize / 2;
    return {BoardView::kBorderPixels + twipsToPixels(x * cellSize + half),
            BoardView::kBorderPixels + twipsToPixels(y * cellSize + half)};
}

// A mouse click with `button` on board cell (x, y).
inline void clickCell(Form1& form, Qt::MouseButton button, int x, int y)
{
    BoardView* board = form.parts().Picture1;
    QTest::mousePress(board, button, {}, cellPoint(form, x, y));
    QTest::mouseRelease(board, button, {}, cellPoint(form, x, y));
}

// A press with `button` (1 left, 2 right) near the top-left corner of board cell (x, y),
// delivered as the board picture control delivers it.
inline void pressCell(Form1& form, int x, int y, int button = 1)
{
    const int16 cellSize = form.parts().layout.cellSize;
    emit form.parts().Picture1->mouseDown(button, 0, cellToTwips(x, cellSize) + 10.0,
                                          cellToTwips(y, cellSize) + 10.0);
}

} // namespace zumeli::test
