// The board picture's persistent image, drawn into in twips: it keeps what is drawn into it
// until cleared, and is what the screen shows, the printer prints and the export saves.
#pragma once

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <memory>

class QPainter;

namespace zumeli {

class BoardPicture {
public:
    BoardPicture();
    ~BoardPicture();
    BoardPicture(const BoardPicture&) = delete;
    BoardPicture& operator=(const BoardPicture&) = delete;

    // While a batch lives, a run of drawing calls (a whole grid, every clue number, every
    // cell) shares one painter instead of opening one per line, box or text; what is drawn
    // is the same. Batches nest; the image must not be resized or cleared inside one.
    class Batch {
    public:
        explicit Batch(BoardPicture& picture);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        BoardPicture& picture_;
        bool outermost_ = false;
    };

    // Names one whole drawing made on a clear picture (the grid of one layout): the same
    // values draw the same pixels.
    using DrawingKey = std::array<int, 8>;
    // True when the picture holds exactly the drawing `key` on white, or held it when it was
    // last cleared and nothing was drawn since: drawing it again would give the same pixels,
    // so the picture holds it again at no cost. False otherwise (nothing changes).
    bool restoreDrawing(const DrawingKey& key);
    // Records that the picture, cleared, now holds exactly the drawing `key`.
    void markDrawing(const DrawingKey& key);

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

    const QImage& image() const
    {
        wipeIfPending();
        return image_;
    }

    static QFont defaultFont();

private:
    // Runs `draw` with the batch's painter, or with a painter of its own outside a batch.
    template <typename Draw>
    void paint(Draw&& draw);
    // Every drawing call starts here: a clear that was put off is done now, and the picture
    // no longer holds one named drawing only.
    void beforeDrawing();
    // A clear of a picture holding only a named drawing is put off until the picture is
    // drawn into or read, since that drawing is often drawn again at once.
    void wipeIfPending() const;
    // The font at `pointSize` and its ascent in pixels on the image, kept for the last size.
    void selectFontSize(double pointSize);
    // A text laid out in the current size: its glyphs and the baseline of the layout.
    struct ShapedText {
        QList<QGlyphRun> runs;
        qreal baseline = 0;
        // The text as the painter draws it on white: every pixel of `stampRect` (relative to
        // the text's top-left pixel), and the offsets and values of those it darkens.
        bool stamped = false;
        QRect stampRect;
        QList<QPoint> inkOffsets;
        QList<QRgb> inkValues;
    };
    void makeStamp(ShapedText& shaped) const;
    // Draws the stamp at the text's top-left pixel when that is exactly what the painter
    // would draw there; false (nothing drawn) when it is not sure.
    bool drawStamp(const ShapedText& shaped, QPoint topLeft);
    const ShapedText& shapedText(const QString& text);
    static constexpr qsizetype kMaxShapedTexts = 4096;
    // The pixels, relative to its start, of a 1-pixel line (dx, dy) pixels long, exactly as
    // the painter draws it where nothing clips it; kept per slope.
    const QList<QPoint>& lineStamp(int dx, int dy);
    static constexpr qsizetype kMaxLineStamps = 1024;

    mutable QImage image_;
    QFont font_;
    int batchDepth_ = 0;
    std::unique_ptr<QPainter> batchPainter_;
    // What the pixels hold: white only, one named drawing (maybe with its clear put off), or
    // anything else.
    enum class Content { Blank, Drawing, Other };
    mutable Content content_ = Content::Blank;
    mutable bool wipePending_ = false;
    DrawingKey drawing_{};
    double fontPoints_ = -1;
    QFont sizedFont_;
    qreal ascent_ = 0;
    QHash<QString, ShapedText> shapedTexts_;
    QHash<quint64, QList<QPoint>> lineStamps_;
};

} // namespace zumeli
