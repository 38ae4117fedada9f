// Drawing primitives of the board picture, converting twips to whole pixels in one place.
#include "board/drawing/board_picture.h"

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

// A white image of width x height pixels with `ratio` device pixels per pixel.
QImage blankImage(int width, int height, qreal ratio = 1)
{
    QImage image(std::max(qCeil(width * ratio), 0), std::max(qCeil(height * ratio), 0),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.setDevicePixelRatio(ratio);
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

// Fills the device pixels [x1..x2] x [y1..y2] (both ends included, clipped to the image) with
// one colour, straight into the RGB32 rows.
void fillDevicePixels(QImage& image, int x1, int y1, int x2, int y2, QRgb colour)
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

int BoardPicture::Surface::device(int pixel) const
{
    return ratio == 1 ? pixel : qFloor(pixel * ratio);
}

BoardPicture::BoardPicture()
    : metricsImage_(blankImage(1, 1)), font_(defaultFont())
{
    model_.image = blankImage(0, 0);
}

BoardPicture::~BoardPicture() = default;

BoardPicture::Batch::Batch(BoardPicture& picture) : picture_(picture)
{
    outermost_ = picture_.batchDepth_++ == 0;
}

BoardPicture::Batch::~Batch()
{
    --picture_.batchDepth_;
    if (outermost_) {
        picture_.model_.batchPainter.reset();
        if (picture_.screen_)
            picture_.screen_->batchPainter.reset();
    }
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
    model_.image.fill(Qt::white);
    if (screen_)
        screen_->image.fill(Qt::white);
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

void BoardPicture::setScreenPixelRatio(qreal ratio)
{
    if (!(ratio > 0))
        ratio = 1;
    if (ratio == screenPixelRatio())
        return;
    wipeIfPending();
    // Stamps are made per surface: the screen's belong to the old ratio.
    shapedTexts_.clear();
    if (ratio == 1) {
        screen_.reset();
        return;
    }
    screen_ = std::make_unique<Surface>();
    screen_->ratio = ratio;
    screen_->index = 1;
    // What was drawn is not drawn again: the screen starts from the picture scaled up, and the
    // picture no longer holds one named drawing on both.
    const QImage& image = model_.image;
    screen_->image = image.isNull() ? blankImage(0, 0, ratio)
                                    : image.scaled(qCeil(image.width() * ratio),
                                                   qCeil(image.height() * ratio));
    screen_->image.setDotsPerMeterX(kDotsPerMeter);
    screen_->image.setDotsPerMeterY(kDotsPerMeter);
    screen_->image.setDevicePixelRatio(ratio);
    if (content_ == Content::Drawing)
        content_ = Content::Other;
}

void BoardPicture::resize(int widthTw, int heightTw)
{
    const QSize size(std::max(twipsToPixels(widthTw), 0), std::max(twipsToPixels(heightTw), 0));
    // The same size keeps the image and only clears it: no new memory to allocate and touch.
    if (size == model_.image.size()) {
        clear();
        return;
    }
    model_.image = blankImage(size.width(), size.height());
    if (screen_)
        screen_->image = blankImage(size.width(), size.height(), screen_->ratio);
    content_ = Content::Blank;
    wipePending_ = false;
}

void BoardPicture::clear()
{
    switch (content_) {
    case Content::Blank: break;
    case Content::Drawing: wipePending_ = true; break;
    case Content::Other:
        model_.image.fill(Qt::white);
        if (screen_)
            screen_->image.fill(Qt::white);
        content_ = Content::Blank;
        break;
    }
}

template <typename Draw>
void BoardPicture::paint(Surface& surface, Draw&& draw)
{
    if (batchDepth_ > 0) {
        // The batch's painter opens at its first use: a batch of direct fills needs none.
        if (!surface.batchPainter)
            surface.batchPainter = std::make_unique<QPainter>(&surface.image);
        draw(*surface.batchPainter);
        return;
    }
    QPainter painter(&surface.image);
    draw(painter);
}

template <typename Draw>
void BoardPicture::forEachSurface(Draw&& draw)
{
    draw(model_);
    if (screen_)
        draw(*screen_);
}

void BoardPicture::selectFontSize(double pointSize)
{
    // Resolving a font and measuring it is costly; clue numbers come thousands at a time in
    // one size, so the sized font and its ascent are kept until the size changes.
    if (pointSize == fontPoints_)
        return;
    sizedFont_ = font_;
    sizedFont_.setPointSizeF(pointSize);
    ascent_ = QFontMetricsF(sizedFont_, &metricsImage_).ascent();
    fontPoints_ = pointSize;
    shapedTexts_.clear();
    fittingScales_.clear();
}

BoardPicture::ShapedText& BoardPicture::shapedText(const QString& text, qreal horizontalScale)
{
    // Shaping a text costs more than drawing it, and a board repeats the same few numbers:
    // each text is laid out once per size, exactly as drawText lays it out (one line, from
    // the left), and its glyphs are drawn from then on.
    const std::pair<QString, qreal> key(text, horizontalScale);
    auto found = shapedTexts_.find(key);
    if (found != shapedTexts_.end())
        return *found;
    if (shapedTexts_.size() >= kMaxShapedTexts)
        shapedTexts_.clear();
    QTextLayout layout(text, sizedFont_, &metricsImage_);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    ShapedText shaped;
    shaped.runs = layout.glyphRuns();
    shaped.baseline = line.ascent();
    shaped.horizontalScale = horizontalScale;
    ShapedText& kept = *shapedTexts_.insert(key, shaped);
    makeStamp(model_, kept);
    return kept;
}

void BoardPicture::drawGlyphs(QPainter& painter, const ShapedText& shaped, QPoint topLeft) const
{
    painter.setPen(Qt::black);
    // The baseline lies `ascent_` below the top; the laid-out glyphs sit on a baseline
    // `shaped.baseline` below the layout's origin.
    const QPointF origin(topLeft.x(), topLeft.y() + ascent_ - shaped.baseline);
    if (shaped.horizontalScale == 1) {
        for (const QGlyphRun& run : shaped.runs)
            painter.drawGlyphRun(origin, run);
        return;
    }
    const QTransform before = painter.worldTransform();
    painter.translate(origin);
    painter.scale(shaped.horizontalScale, 1);
    for (const QGlyphRun& run : shaped.runs)
        painter.drawGlyphRun(QPointF(0, 0), run);
    painter.setWorldTransform(before);
}

void BoardPicture::makeStamp(const Surface& surface, ShapedText& shaped) const
{
    // The glyphs land on the same device pixels wherever the text's top-left pixel lies: their
    // positions are the whole-pixel start plus the same fractions. So the painter draws the
    // text once on a white scratch image with ample room, and the box around its ink, with
    // two device pixels to spare on every side, is the stamp.
    Stamp& stamp = shaped.stamps[surface.index];
    stamp.made = true;
    qreal inkRight = 0;
    for (const QGlyphRun& run : shaped.runs)
        for (const QPointF& position : run.positions())
            inkRight = std::max(inkRight, position.x() * shaped.horizontalScale);
    const int room = qCeil(ascent_) + 4;
    QImage scratch = blankImage(qCeil(inkRight) + 3 * room, 3 * room, surface.ratio);
    const QPoint topLeft(room, room);
    {
        QPainter painter(&scratch);
        drawGlyphs(painter, shaped, topLeft);
    }
    QRect ink;
    const int width = scratch.width();
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if (row[x] != kWhitePixel)
                ink |= QRect(x, y, 1, 1);
    }
    const QPoint deviceTopLeft(surface.device(topLeft.x()), surface.device(topLeft.y()));
    if (surface.index == 0)
        shaped.ink = ink.translated(-deviceTopLeft);
    // No ink at all, ink that reaches the scratch image's edge and may have been cut off, or
    // a surface whose pixels do not start at whole device pixels: no stamp, the painter draws
    // such a text itself.
    const QRect stampRect = ink.adjusted(-2, -2, 2, 2);
    if (ink.isEmpty() || !scratch.rect().adjusted(1, 1, -1, -1).contains(stampRect) ||
        !surface.stampable())
        return;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = ink.left(); x <= ink.right(); ++x)
            if (row[x] != kWhitePixel) {
                stamp.inkOffsets.append(QPoint(x, y) - deviceTopLeft);
                stamp.inkValues.append(row[x]);
            }
    }
    stamp.rect = stampRect.translated(-deviceTopLeft);
    stamp.stamped = true;
}

bool BoardPicture::drawStamp(Surface& surface, ShapedText& shaped, QPoint topLeft)
{
    Stamp& stamp = shaped.stamps[surface.index];
    if (!stamp.made)
        makeStamp(surface, shaped);
    if (!stamp.stamped)
        return false;
    const QPoint deviceTopLeft(surface.device(topLeft.x()), surface.device(topLeft.y()));
    QImage& image = surface.image;
    const QRect target = stamp.rect.translated(deviceTopLeft);
    if (!image.rect().adjusted(1, 1, -1, -1).contains(target))
        return false;
    // Black text over a white pixel gives the stamp's value, over a black pixel black; over
    // anything else (the grey edge of another text) only the painter knows.
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(bits + y * stride);
        for (int x = target.left(); x <= target.right(); ++x)
            if (row[x] != kWhitePixel && row[x] != kBlackPixel)
                return false;
    }
    for (qsizetype i = 0; i < stamp.inkOffsets.size(); ++i) {
        const QPoint pixel = deviceTopLeft + stamp.inkOffsets[i];
        auto* row = reinterpret_cast<QRgb*>(bits + pixel.y() * stride);
        if (row[pixel.x()] == kWhitePixel)
            row[pixel.x()] = stamp.inkValues[i];
    }
    return true;
}

const QList<QPoint>& BoardPicture::lineStamp(Surface& surface, int dx, int dy)
{
    const quint64 key = quint64(quint32(dx)) << 32 | quint32(dy);
    auto found = surface.lineStamps.constFind(key);
    if (found != surface.lineStamps.constEnd())
        return *found;
    if (surface.lineStamps.size() >= kMaxLineStamps)
        surface.lineStamps.clear();
    // The painter draws the line once into a white scratch image with room on every side,
    // and the black device pixels, relative to the start's first device pixel, are the pattern.
    constexpr int kMargin = 2;
    QImage scratch = blankImage(std::abs(dx) + 2 * kMargin + 1, std::abs(dy) + 2 * kMargin + 1,
                                surface.ratio);
    const QPoint start(kMargin + std::max(-dx, 0), kMargin + std::max(-dy, 0));
    {
        QPainter painter(&scratch);
        painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(start, start + QPoint(dx, dy));
    }
    const QPoint deviceStart(surface.device(start.x()), surface.device(start.y()));
    QList<QPoint> pixels;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x)
            if (row[x] != kWhitePixel)
                pixels.append(QPoint(x, y) - deviceStart);
    }
    return *surface.lineStamps.insert(key, pixels);
}

void BoardPicture::line(int x1, int y1, int x2, int y2, int penWidthPixels)
{
    if (model_.image.isNull())
        return;
    beforeDrawing();
    forEachSurface([&](Surface& surface) {
        line(surface, twipsToPixels(x1), twipsToPixels(y1), twipsToPixels(x2),
             twipsToPixels(y2), penWidthPixels);
    });
}

void BoardPicture::line(Surface& surface, int px1, int py1, int px2, int py2, int penWidthPixels)
{
    QImage& image = surface.image;
    if (penWidthPixels == 1) {
        // A 1-pixel line along a row or a column covers the pixels from one end to the
        // other, both included: filled directly, which is what the painter draws.
        if ((px1 == px2) != (py1 == py2)) {
            fillDevicePixels(image, surface.device(std::min(px1, px2)),
                             surface.device(std::min(py1, py2)),
                             surface.device(std::max(px1, px2) + 1) - 1,
                             surface.device(std::max(py1, py2) + 1) - 1, kBlackPixel);
            return;
        }
        // Any other line well inside the image is the painter's own pixels for its slope,
        // moved to its start (whole pixels move the pattern unchanged; lines the painter
        // would clip at an edge are left to it).
        const QRect inner = model_.image.rect().adjusted(1, 1, -1, -1);
        if (surface.stampable() && inner.contains(px1, py1) && inner.contains(px2, py2)) {
            uchar* const bits = image.bits();
            const qsizetype stride = image.bytesPerLine();
            const QPoint start(surface.device(px1), surface.device(py1));
            for (const QPoint& offset : lineStamp(surface, px2 - px1, py2 - py1)) {
                const QPoint pixel = start + offset;
                auto* row = reinterpret_cast<QRgb*>(bits + pixel.y() * stride);
                row[pixel.x()] = kBlackPixel;
            }
            return;
        }
    }
    paint(surface, [&](QPainter& painter) {
        painter.setPen(QPen(Qt::black, penWidthPixels, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(px1, py1, px2, py2);
    });
}

void BoardPicture::box(int left, int top, int width, int height, const QColor& fill)
{
    if (model_.image.isNull())
        return;
    beforeDrawing();
    forEachSurface([&](Surface& surface) {
        box(surface, twipsToPixels(left), twipsToPixels(top), twipsToPixels(left + width),
            twipsToPixels(top + height), fill);
    });
}

void BoardPicture::box(Surface& surface, int x1, int y1, int x2, int y2, const QColor& fill)
{
    // The outline is the pixels of columns x1 and x2 and rows y1 and y2 between the corners;
    // the inside is filled. A box of positive size is drawn directly, as the painter would.
    QImage& image = surface.image;
    if (x2 > x1 && y2 > y1 && fill.alpha() == 255) {
        const QRgb inside = fill.rgb();
        // The device pixels of the outline's columns and rows, first and last.
        const int leftFirst = surface.device(x1);
        const int leftLast = surface.device(x1 + 1) - 1;
        const int rightFirst = surface.device(x2);
        const int rightLast = surface.device(x2 + 1) - 1;
        const int topFirst = surface.device(y1);
        const int topLast = surface.device(y1 + 1) - 1;
        const int bottomFirst = surface.device(y2);
        const int bottomLast = surface.device(y2 + 1) - 1;
        if (inside == kBlackPixel || x2 - x1 < 2 || y2 - y1 < 2) {
            fillDevicePixels(image, leftFirst, topFirst, rightLast, bottomLast, kBlackPixel);
            if (inside != kBlackPixel)
                fillDevicePixels(image, leftLast + 1, topLast + 1, rightFirst - 1,
                                 bottomFirst - 1, inside);
            return;
        }
        // One pass over the rows: the outline's top and bottom rows, and between them the
        // outline's left columns, the inside and its right columns, each clipped to the image.
        const int left = std::max(leftFirst, 0);
        const int right = std::min(rightLast, image.width() - 1);
        const int top = std::max(topFirst, 0);
        const int bottom = std::min(bottomLast, image.height() - 1);
        if (left > right || top > bottom)
            return;
        uchar* const bits = image.bits();
        const qsizetype stride = image.bytesPerLine();
        const int count = right - left + 1;
        const QRgb* inner = nullptr;  // the first row between the outline's top and bottom
        for (int y = top; y <= bottom; ++y) {
            auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
            if (y <= topLast || y >= bottomFirst) {
                fillRow(row + left, count, kBlackPixel);
            } else if (inner) {
                std::memcpy(row + left, inner, count * sizeof(QRgb));
            } else {
                const int insideLeft = std::max(leftLast + 1, left);
                fillRow(row + insideLeft, std::min(rightFirst - 1, right) - insideLeft + 1, inside);
                fillRow(row + left, std::min(leftLast, right) - left + 1, kBlackPixel);
                const int outlineRight = std::max(rightFirst, left);
                fillRow(row + outlineRight, right - outlineRight + 1, kBlackPixel);
                inner = row + left;
            }
        }
        return;
    }
    paint(surface, [&](QPainter& painter) {
        painter.setPen(QPen(Qt::black, 1));
        if (painter.brush().style() != Qt::SolidPattern || painter.brush().color() != fill)
            painter.setBrush(fill);
        // A 1-pixel outline from (x1, y1) to (x2, y2), both corners included, filled inside.
        painter.drawRect(x1, y1, x2 - x1, y2 - y1);
    });
}

void BoardPicture::printText(int x, int y, const QString& text, double pointSize,
                             qreal horizontalScale)
{
    if (model_.image.isNull() || pointSize <= 0)
        return;
    beforeDrawing();
    selectFontSize(pointSize);
    ShapedText& shaped = shapedText(text, horizontalScale);
    const QPoint topLeft(twipsToPixels(x), twipsToPixels(y));
    forEachSurface([&](Surface& surface) {
        if (!drawStamp(surface, shaped, topLeft))
            paint(surface, [&](QPainter& painter) { drawGlyphs(painter, shaped, topLeft); });
    });
}

QRect BoardPicture::textInk(const QString& text, double pointSize, qreal horizontalScale)
{
    if (pointSize <= 0)
        return {};
    selectFontSize(pointSize);
    return shapedText(text, horizontalScale).ink;
}

qreal BoardPicture::scaleToFit(const QString& text, double pointSize, int widthPixels)
{
    if (pointSize <= 0)
        return 1;
    selectFontSize(pointSize);
    const std::pair<QString, int> key(text, widthPixels);
    auto found = fittingScales_.constFind(key);
    if (found != fittingScales_.constEnd())
        return *found;
    // Antialiased ink does not narrow exactly in proportion: the scale the widths suggest is
    // tried, then a little less each time, down to a quarter (a text no narrower than that
    // is drawn at a quarter, ink beyond the width or not).
    // The first guess counts one pixel of grey edge that does not narrow.
    constexpr qreal kNarrowest = 0.25;
    const int width = textInk(text, pointSize).width();
    qreal scale = 1;
    if (width > widthPixels) {
        scale = std::max(kNarrowest, qreal(std::max(widthPixels - 1, 0)) / (width - 1));
        while (scale > kNarrowest && textInk(text, pointSize, scale).width() > widthPixels)
            scale = std::max(kNarrowest, scale * 0.95);
    }
    return *fittingScales_.insert(key, scale);
}

} // namespace zumeli
