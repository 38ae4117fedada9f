// The board picture control of the main window.
#pragma once

#include "board/drawing/board_drawing.h"
#include "board/drawing/board_picture.h"

#include <QFrame>

#include <functional>

namespace zumeli {

// The board picture control: shows the persistent image (drawn at the screen's device pixel
// ratio) and the two border line objects on top of it, and reports mouse presses in twips of
// the picture's inner area.
class BoardView : public QFrame {
    Q_OBJECT

public:
    // The picture is drawn at the control's device pixel ratio from the start, and follows it
    // when the control moves to a screen with another.
    explicit BoardView(BoardPicture& picture, QWidget* parent = nullptr);

    // Moves the two border line objects (twips of the inner area).
    void setBorderLines(const BorderLines& lines);
    BorderLines Line1AndLine2() const { return lines_; }
    static constexpr int kBorderPixels = 2;  // the control's own frame, each side

    // Paints over the picture and the border lines (the painter at the picture's top-left
    // pixel, clipped to the inner area): help that never becomes part of the picture.
    void setOverlay(std::function<void(QPainter&)> paint) { overlay_ = std::move(paint); }

signals:
    void mouseDown(int button, int shift, double xTw, double yTw);
    // The pointer moved with a button held, and a button was let go (as for mouseDown).
    void mouseMove(double xTw, double yTw);
    void mouseUp(int button, double xTw, double yTw);
    // The arrow keys, Space, Enter and X (without Ctrl or Alt; Space, Enter and X not again
    // while held down); shift as for mouseDown.
    void keyDown(int key, int shift);
    // The focus went to another control of the window (not to a menu or another window).
    void focusLost();
    // The focus came to the board from Tab or Shift+Tab.
    void focusFromKeyboard();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    BoardPicture& picture_;
    BorderLines lines_;
    std::function<void(QPainter&)> overlay_;
};

} // namespace zumeli
