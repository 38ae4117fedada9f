// The board picture's persistent image, drawn into in twips: it keeps what is drawn into it
// until cleared, and is what the screen shows, the printer prints and the export saves.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

namespace zumeli {

class BoardPicture {
public:
    BoardPicture();

    // Makes the inner area widthTw x heightTw twips (whole pixels) and clears it to white.
    void resize(int widthTw, int heightTw);
    // Fills the whole image with the background colour.
    void clear();
    // A black line between two points in twips, both end points included.
    void line(int x1, int y1, int x2, int y2, int penWidthPixels = 1);
    // A box from (left, top) with the given width and height in twips: black outline, filled.
    void box(int left, int top, int width, int height, const QColor& fill);
    // Text with a transparent background whose top-left lies at (x, y) twips.
    void printText(int x, int y, const QString& text, double pointSize);

    const QImage& image() const { return image_; }

    static QFont defaultFont();

private:
    QImage image_;
    QFont font_;
};

} // namespace zumeli
