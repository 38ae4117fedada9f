// Drawing primitives of the board picture, converting twips to whole pixels in one place.
#include "board/board_picture.h"

#include "board/layout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>
#include <cstring>

namespace zumeli {

namespace {

// 96 dots per inch, so that a point size maps to the same pixels on every machine.
constexpr int kDotsPerMeter = 3780;

QImage blankImage(int width, int height)
{
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(Qt::white);
    return image;
}

// Sets `count` pixels of a row to one colour; white, the commonest, is all one byte.
inline void fillRow(QRgb* row, int count, QRgb colour)
{
    if (count <= 0)
        return;
    if (colour == 0xffffffff)
        std::memset(row, 0xff, static_cast<std::size_t>(count) * sizeof(QRgb));
    else
        std::fill_n(row, count, colour);
}

// Fills the pixels [x1..x2] x [y1..y2] (both ends included, clipped to the image) with one
// colour, straight into the RGB32 rows.
void fillPixels(QImage& image, int x1, int y1, int x2, int y2, QRgb colour)
{
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, image.width() - 1);
    y2 = std::min(y2, image.height() - 1);
    if (x1 > x2 || y1 > y2)
        return;
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    auto* const first = reinterpret_cast<QRgb*>(bits + y1 * stride) + x1;
    const int count = x2 - x1 + 1;
    if (count == 1) {
        for (int y = y1; y <= y2; ++y)
            reinterpret_cast<QRgb*>(bits + y * stride)[x1] = colour;
        return;
    }
    // The first row is filled, the others copied from it.
    fillRow(first, count, colour);
    for (int y = y1 + 1; y <= y2; ++y)
        std::memcpy(reinterpret_cast<QRgb*>(bits + y * stride) + x1, first, count * sizeof(QRgb));
}

constexpr QRgb kBlackPixel = 0xff000000;
constexpr QRgb kWhitePixel = 0xffffffff;

} // namespace

BoardPicture::BoardPicture() : image_(blankImage(0, 0)), font_(defaultFont()) {}

BoardPicture::~BoardPicture() = default;

BoardPicture::Batch::Batch(BoardPicture& picture) : picture_(picture)
{
    outermost_ = picture_.batchDepth_++ == 0;
}

BoardPicture::Batch::~Batch()
{
    --picture_.batchDepth_;
    if (outermost_)
        picture_.batchPainter_.reset();
}

bool BoardPicture::restoreDrawing(const DrawingKey& key)
{
    if (content_ != Content::Drawing || drawing_ != key)
        return false;
    wipePending_ = false;
    return true;
}

void BoardPicture::markDrawing(const DrawingKey& key)
{
    content_ = Content::Drawing;
    wipePending_ = false;
    drawing_ = key;
}

void BoardPicture::wipeIfPending() const
{
    if (!wipePending_)
        return;
    image_.fill(Qt::white);
    wipePending_ = false;
    content_ = Content::Blank;
}

void BoardPicture::beforeDrawing()
{
    wipeIfPending();
    content_ = Content::Other;
}

QFont BoardPicture::defaultFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void BoardPicture::resize(int widthTw, int heightTw)
{
    const QSize size(std::max(twipsToPixels(widthTw), 0), std::max(twipsToPixels(heightTw), 0));
    // The same size keeps the image and only clears it: no new memory to allocate and touch.
    if (size == image_.size()) {
        clear();
        return;
    }
    image_ = blankImage(size.width(), size.height());
    content_ = Content::Blank;
    wipePending_ = false;
}

void BoardPicture::clear()
{
    switch (content_) {
    case Content::Blank: break;
    case Content::Drawing: wipePending_ = true; break;
    case Content::Other:
        image_.fill(Qt::white);
        content_ = Content::Blank;
        break;
    }
}

template <typename Draw>
void BoardPicture::paint(Draw&& draw)
{
    if (batchDepth_ > 0) {
        // The batch's painter opens at its first use: a batch of direct fills needs none.
        if (!batchPainter_)
            batchPainter_ = std::make_unique<QPainter>(&image_);
        draw(*batchPainter_);
        return;
    }
    QPainter painter(&image_);
    draw(painter);
}

void BoardPicture::selectFontSize(double pointSize)
{
    // Resolving a font and measuring it is costly; clue numbers come thousands at a time in
    // one size, so the sized font and its ascent are kept until the size changes.
    if (pointSize == fontPoints_)
        return;
    sizedFont_ = font_;
    sizedFont_.setPointSizeF(pointSize);
    ascent_ = QFontMetricsF(sizedFont_, &image_).ascent();
    fontPoints_ = pointSize;
    shapedTexts_.clear();
}

const BoardPicture::ShapedText& BoardPicture::shapedText(const QString& text)
{
    // Shaping a text costs more than drawing it, and a board repeats the same few numbers:
    // each text is laid out once per size, exactly as drawText lays it out (one line, from
    // the left), and its glyphs are drawn from then on.
    auto found = shapedTexts_.constFind(text);
    if (found != shapedTexts_.constEnd())
        return *found;
    if (shapedTexts_.size() >= kMaxShapedTexts)
        shapedTexts_.clear();
    QTextLayout layout(text, sizedFont_, &image_);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    ShapedText shaped;
    shaped.runs = layout.glyphRuns();
    shaped.baseline = line.ascent();
    makeStamp(shaped);
    return *shapedTexts_.insert(text, shaped);
}

void BoardPicture::makeStamp(ShapedText& shaped) const
{
    // The glyphs land on the same pixels wherever the text's top-left pixel lies: their
    // positions are the whole-pixel start plus the same fractions. So the painter draws the
    // text once on a white scratch image with ample room, and the box around its ink, with
    // two pixels to spare on every side, is the stamp.
    qreal inkRight = 0;
    for (const QGlyphRun& run : shaped.runs)
        for (const QPointF& position : run.positions())
            inkRight = std::max(inkRight, position.x());
    const int room = qCeil(ascent_) + 4;
    QImage scratch(qCeil(inkRight) + 3 * room, 3 * room, QImage::Format_RGB32);
    scratch.setDotsPerMeterX(image_.dotsPerMeterX());
    scratch.setDotsPerMeterY(image_.dotsPerMeterY());
    scratch.fill(Qt::white);
    const QPoint topLeft(room, room);
    {
        QPainter painter(&scratch);
        painter.setPen(Qt::black);
        const QPointF origin(topLeft.x(), topLeft.y() + ascent_ - shaped.baseline);
        for (const QGlyphRun& run : shaped.runs)
            painter.drawGlyphRun(origin, run);
    }
    QRect ink;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x)
            if (row[x] != kWhitePixel)
                ink |= QRect(x, y, 1, 1);
    }
    // No ink at all, or ink that reaches the scratch image's edge and may have been cut off:
    // no stamp, the painter draws such a text itself.
    const QRect stampRect = ink.adjusted(-2, -2, 2, 2);
    if (ink.isEmpty() || !scratch.rect().adjusted(1, 1, -1, -1).contains(stampRect))
        return;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = ink.left(); x <= ink.right(); ++x)
            if (row[x] != kWhitePixel) {
                shaped.inkOffsets.append(QPoint(x, y) - topLeft);
                shaped.inkValues.append(row[x]);
            }
    }
    shaped.stampRect = stampRect.translated(-topLeft);
    shaped.stamped = true;
}

bool BoardPicture::drawStamp(const ShapedText& shaped, QPoint topLeft)
{
    if (!shaped.stamped)
        return false;
    const QRect target = shaped.stampRect.translated(topLeft);
    if (!image_.rect().adjusted(1, 1, -1, -1).contains(target))
        return false;
    // Black text over a white pixel gives the stamp's value, over a black pixel black; over
    // anything else (the grey edge of another text) only the painter knows.
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(bits + y * stride);
        for (int x = target.left(); x <= target.right(); ++x)
            if (row[x] != kWhitePixel && row[x] != kBlackPixel)
                return false;
    }
    for (qsizetype i = 0; i < shaped.inkOffsets.size(); ++i) {
        const QPoint pixel = topLeft + shaped.inkOffsets[i];
        auto* row = reinterpret_cast<QRgb*>(bits + pixel.y() * stride);
        if (row[pixel.x()] == kWhitePixel)
            row[pixel.x()] = shaped.inkValues[i];
    }
    return true;
}

const QList<QPoint>& BoardPicture::lineStamp(int dx, int dy)
{
    const quint64 key = quint64(quint32(dx)) << 32 | quint32(dy);
    auto found = lineStamps_.constFind(key);
    if (found != lineStamps_.constEnd())
        return *found;
    if (lineStamps_.size() >= kMaxLineStamps)
        lineStamps_.clear();
    // The painter draws the line once into a white scratch image with room on every side,
    // and the black pixels are the pattern.
    constexpr int kMargin = 2;
    QImage scratch(std::abs(dx) + 2 * kMargin + 1, std::abs(dy) + 2 * kMargin + 1,
                   QImage::Format_RGB32);
    scratch.fill(Qt::white);
    const QPoint start(kMargin + std::max(-dx, 0), kMargin + std::max(-dy, 0));
    {
        QPainter painter(&scratch);
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(start, start + QPoint(dx, dy));
    }
    QList<QPoint> pixels;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x)
            if (row[x] != kWhitePixel)
                pixels.append(QPoint(x, y) - start);
    }
    return *lineStamps_.insert(key, pixels);
}

void BoardPicture::line(int x1, int y1, int x2, int y2, int penWidthPixels)
{
    if (image_.isNull())
        return;
    beforeDrawing();
    const int px1 = twipsToPixels(x1);
    const int py1 = twipsToPixels(y1);
    const int px2 = twipsToPixels(x2);
    const int py2 = twipsToPixels(y2);
    if (penWidthPixels == 1) {
        // A 1-pixel line along a row or a column covers the pixels from one end to the
        // other, both included: filled directly, which is what the painter draws.
        if ((px1 == px2) != (py1 == py2)) {
            fillPixels(image_, std::min(px1, px2), std::min(py1, py2), std::max(px1, px2),
                       std::max(py1, py2), kBlackPixel);
            return;
        }
        // Any other line well inside the image is the painter's own pixels for its slope,
        // moved to its start (whole pixels move the pattern unchanged; lines the painter
        // would clip at an edge are left to it).
        const QRect inner = image_.rect().adjusted(1, 1, -1, -1);
        if (inner.contains(px1, py1) && inner.contains(px2, py2)) {
            uchar* const bits = image_.bits();
            const qsizetype stride = image_.bytesPerLine();
            for (const QPoint& pixel : lineStamp(px2 - px1, py2 - py1)) {
                auto* row = reinterpret_cast<QRgb*>(bits + (py1 + pixel.y()) * stride);
                row[px1 + pixel.x()] = kBlackPixel;
            }
            return;
        }
    }
    paint([&](QPainter& painter) {
        painter.setPen(QPen(Qt::black, penWidthPixels, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(twipsToPixels(x1), twipsToPixels(y1), twipsToPixels(x2),
                         twipsToPixels(y2));
    });
}

void BoardPicture::box(int left, int top, int width, int height, const QColor& fill)
{
    if (image_.isNull())
        return;
    beforeDrawing();
    const int x1 = twipsToPixels(left);
    const int y1 = twipsToPixels(top);
    const int x2 = twipsToPixels(left + width);
    const int y2 = twipsToPixels(top + height);
    // The outline is the pixels of columns x1 and x2 and rows y1 and y2 between the corners;
    // the inside is filled. A box of positive size is drawn directly, as the painter would.
    if (x2 > x1 && y2 > y1 && fill.alpha() == 255) {
        const QRgb inside = fill.rgb();
        if (inside == kBlackPixel || x2 - x1 < 2 || y2 - y1 < 2) {
            fillPixels(image_, x1, y1, x2, y2, kBlackPixel);
            if (inside != kBlackPixel)
                fillPixels(image_, x1 + 1, y1 + 1, x2 - 1, y2 - 1, inside);
            return;
        }
        // One pass over the rows: the outline's top and bottom rows, and between them a black
        // pixel, the inside and a black pixel, each clipped to the image.
        const int left = std::max(x1, 0);
        const int right = std::min(x2, image_.width() - 1);
        const int top = std::max(y1, 0);
        const int bottom = std::min(y2, image_.height() - 1);
        if (left > right || top > bottom)
            return;
        uchar* const bits = image_.bits();
        const qsizetype stride = image_.bytesPerLine();
        const int count = right - left + 1;
        const QRgb* inner = nullptr;  // the first row between the outline's top and bottom
        for (int y = top; y <= bottom; ++y) {
            auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
            if (y == y1 || y == y2) {
                fillRow(row + left, count, kBlackPixel);
            } else if (inner) {
                std::memcpy(row + left, inner, count * sizeof(QRgb));
            } else {
                const int insideLeft = std::max(x1 + 1, left);
                fillRow(row + insideLeft, std::min(x2 - 1, right) - insideLeft + 1, inside);
                if (x1 == left)
                    row[x1] = kBlackPixel;
                if (x2 == right)
                    row[x2] = kBlackPixel;
                inner = row + left;
            }
        }
        return;
    }
    paint([&](QPainter& painter) {
        painter.setPen(QPen(Qt::black, 1));
        if (painter.brush().style() != Qt::SolidPattern || painter.brush().color() != fill)
            painter.setBrush(fill);
        // A 1-pixel outline from (x1, y1) to (x2, y2), both corners included, filled inside.
        painter.drawRect(x1, y1, x2 - x1, y2 - y1);
    });
}

void BoardPicture::printText(int x, int y, const QString& text, double pointSize)
{
    if (image_.isNull() || pointSize <= 0)
        return;
    beforeDrawing();
    selectFontSize(pointSize);
    const ShapedText& shaped = shapedText(text);
    const QPoint topLeft(twipsToPixels(x), twipsToPixels(y));
    if (drawStamp(shaped, topLeft))
        return;
    // The baseline lies `ascent_` below the top; the laid-out glyphs sit on a baseline
    // `shaped.baseline` below the layout's origin.
    const QPointF origin(topLeft.x(), topLeft.y() + ascent_ - shaped.baseline);
    paint([&](QPainter& painter) {
        painter.setPen(Qt::black);
        for (const QGlyphRun& run : shaped.runs)
            painter.drawGlyphRun(origin, run);
    });
}

} // namespace zumeli
