// The board leaving the program: printed on the default printer or written as a bitmap file.
#pragma once

#include "board/drawing/board_drawing.h"
#include "board/drawing/board_picture.h"
#include "desktop/desktop.h"

#include <QImage>
#include <QString>

#include <stdexcept>

namespace zumeli {

// Where the printed board's top-left corner lies: twips right of and below the top-left
// corner of the page's printable area.
constexpr int kPrintOffsetTw = 100;

// Raised when a bitmap file cannot be created, written or put in place.
class BitmapWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Prints the board picture's image at its natural size at (100, 100) twips of the default
// printer, then the two border lines with a 3-dot pen at the same offset, and ends the
// document. Throws PrintError (no printer, a printer error); nothing is retried.
void printBoard(Desktop& desktop, const QImage& boardImage, const BorderLines& lines);

// Draws the two border lines into the picture's persistent image, 3 pixels wide; the pen of
// every later drawing is 1 pixel again.
void drawBorderLines(BoardPicture& picture, const BorderLines& lines);

// Writes `image` to `path` as a Windows bitmap. An existing file is replaced only once the
// new one is complete: a failure leaves it as it was. Throws BitmapWriteError.
void writeBitmapAtomically(const QImage& image, const QString& path);

} // namespace zumeli
