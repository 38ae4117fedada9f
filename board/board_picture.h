// The board picture's persistent image, drawn into in twips: it keeps what is drawn into it
// until cleared, and is what the screen shows, the printer prints and the export saves.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <memory>

class QPainter;

namespace zumeli {

class BoardPicture {
public:
    BoardPicture();
    ~BoardPicture();
    BoardPicture(const BoardPicture&) = delete;
    BoardPicture& operator=(const BoardPicture&) = delete;

    // Keeps one painter open on the image while it lives, so that a run of drawing calls (a
    // whole grid, every clue number, every cell) shares it instead of opening one per line,
    // box or text; what is drawn is the same. Batches nest; the image must not be resized or
    // cleared while one is open.
    class Batch {
    public:
        explicit Batch(BoardPicture& picture);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        BoardPicture& picture_;
        bool opened_ = false;
    };

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
    // Runs `draw` with the batch's painter, or with a painter of its own outside a batch.
    template <typename Draw>
    void paint(Draw&& draw);
    // The font at `pointSize` and its ascent in pixels on the image, kept for the last size.
    void selectFontSize(double pointSize);

    QImage image_;
    QFont font_;
    std::unique_ptr<QPainter> batchPainter_;
    double fontPoints_ = -1;
    QFont sizedFont_;
    qreal ascent_ = 0;
};

} // namespace zumeli
