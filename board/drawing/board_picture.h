// The board picture's persistent image, drawn into in twips: it keeps what is drawn into it
// until cleared, and is what the printer prints and the export saves; the screen shows it, or
// on a screen with more device pixels per pixel the same drawing made at that resolution.
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
#include <cmath>
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

    // The device pixels per pixel of the screen that shows the picture. At 1 the screen shows
    // the image itself; at any other ratio every drawing call is also drawn, from the same
    // twips, on a screen image with that many device pixels per pixel, so lines and digits
    // are drawn at the screen's full resolution. The image itself never changes with it.
    // A new ratio starts the screen image from the image scaled up, until it is cleared.
    void setScreenPixelRatio(qreal ratio);
    qreal screenPixelRatio() const { return screen_ ? screen_->ratio : 1.0; }

    // Makes the inner area widthTw x heightTw twips (whole pixels) and clears it to white.
    void resize(int widthTw, int heightTw);
    // Fills the whole image with the background colour.
    void clear();
    // A black line between two points in twips, both end points included.
    void line(int x1, int y1, int x2, int y2, int penWidthPixels = 1);
    // A box from (left, top) with the given width and height in twips: black outline, filled.
    void box(int left, int top, int width, int height, const QColor& fill);
    // Text with a transparent background whose top-left lies at (x, y) twips, its glyphs
    // scaled by `horizontalScale` across (from its left edge) to make it narrower.
    void printText(int x, int y, const QString& text, double pointSize, qreal horizontalScale = 1);

    // The pixels printText darkens on a white image, relative to the text's top-left pixel
    // (empty for a text with no ink).
    QRect textInk(const QString& text, double pointSize, qreal horizontalScale = 1);
    // The horizontal scale, 1 or below, at which the ink of `text` is at most widthPixels wide:
    // 1 when it already is; kept per text and width for the current size.
    qreal scaleToFit(const QString& text, double pointSize, int widthPixels);

    const QImage& image() const
    {
        wipeIfPending();
        return model_.image;
    }
    // What the screen shows: the image itself at a ratio of 1, else the screen image (whose
    // devicePixelRatio is the screen's).
    const QImage& screenImage() const
    {
        wipeIfPending();
        return screen_ ? screen_->image : model_.image;
    }

    static QFont defaultFont();

private:
    // One image the drawing calls draw on: the picture itself (ratio 1), or the screen's copy.
    // Pixel positions of the picture map to device pixels floor(pixel * ratio).
    struct Surface {
        QImage image;
        qreal ratio = 1;
        std::unique_ptr<QPainter> batchPainter;
        // The pixels, relative to its start, of a 1-pixel line (dx, dy) pixels long, exactly
        // as the painter draws it where nothing clips it; kept per slope.
        QHash<quint64, QList<QPoint>> lineStamps;
        int device(int pixel) const;
        // Stamps (texts and lines drawn once and copied) need every whole pixel to start at a
        // whole device pixel, so a whole number of device pixels per pixel.
        bool stampable() const { return ratio == std::floor(ratio); }
        int index = 0;  // which stamp of a shaped text belongs to it
    };
    // Runs `draw` with the surface's batch painter, or with a painter of its own outside a batch.
    template <typename Draw>
    void paint(Surface& surface, Draw&& draw);
    // Runs `draw` for the picture and, when there is one, the screen's copy.
    template <typename Draw>
    void forEachSurface(Draw&& draw);
    void line(Surface& surface, int px1, int py1, int px2, int py2, int penWidthPixels);
    void box(Surface& surface, int x1, int y1, int x2, int y2, const QColor& fill);
    // Every drawing call starts here: a clear that was put off is done now, and the picture
    // no longer holds one named drawing only.
    void beforeDrawing();
    // A clear of a picture holding only a named drawing is put off until the picture is
    // drawn into or read, since that drawing is often drawn again at once.
    void wipeIfPending() const;
    // The font at `pointSize` and its ascent in pixels on the image, kept for the last size.
    void selectFontSize(double pointSize);
    // The text as the painter draws it on white on one surface: every device pixel of
    // `rect` (relative to the text's top-left device pixel), and the offsets and values of
    // those it darkens.
    struct Stamp {
        bool made = false;
        bool stamped = false;
        QRect rect;
        QList<QPoint> inkOffsets;
        QList<QRgb> inkValues;
    };
    // A text laid out in the current size: its glyphs, the baseline of the layout, the
    // horizontal scale it is drawn at, its ink on the picture and its stamp on each surface.
    struct ShapedText {
        QList<QGlyphRun> runs;
        qreal baseline = 0;
        qreal horizontalScale = 1;
        QRect ink;
        std::array<Stamp, 2> stamps;
    };
    // Draws the glyphs with their top-left at `topLeft` (pixels of the picture).
    void drawGlyphs(QPainter& painter, const ShapedText& shaped, QPoint topLeft) const;
    void makeStamp(const Surface& surface, ShapedText& shaped) const;
    // Draws the stamp at the text's top-left pixel when that is exactly what the painter
    // would draw there; false (nothing drawn) when it is not sure.
    bool drawStamp(Surface& surface, ShapedText& shaped, QPoint topLeft);
    ShapedText& shapedText(const QString& text, qreal horizontalScale);
    static constexpr qsizetype kMaxShapedTexts = 4096;
    const QList<QPoint>& lineStamp(Surface& surface, int dx, int dy);
    static constexpr qsizetype kMaxLineStamps = 1024;

    mutable Surface model_;
    // Fonts are measured and texts laid out for this 96 dpi image, the resolution of the
    // picture whatever its size.
    QImage metricsImage_;
    std::unique_ptr<Surface> screen_;
    QFont font_;
    int batchDepth_ = 0;
    // What the pixels hold: white only, one named drawing (maybe with its clear put off), or
    // anything else.
    enum class Content { Blank, Drawing, Other };
    mutable Content content_ = Content::Blank;
    mutable bool wipePending_ = false;
    DrawingKey drawing_{};
    double fontPoints_ = -1;
    QFont sizedFont_;
    qreal ascent_ = 0;
    QHash<std::pair<QString, qreal>, ShapedText> shapedTexts_;
    // scaleToFit's answers for the current size, per text and width.
    QHash<std::pair<QString, int>, qreal> fittingScales_;
};

} // namespace zumeli
