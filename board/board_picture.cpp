// Drawing primitives of the board picture, converting twips to whole pixels in one place.
#include "board/board_picture.h"

#include "board/layout.h"

#include <QFontMetricsF>
#include <QPainter>

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

} // namespace

BoardPicture::BoardPicture() : image_(blankImage(0, 0)), font_(defaultFont()) {}

BoardPicture::~BoardPicture() = default;

BoardPicture::Batch::Batch(BoardPicture& picture) : picture_(picture)
{
    if (!picture_.batchPainter_ && !picture_.image_.isNull()) {
        picture_.batchPainter_ = std::make_unique<QPainter>(&picture_.image_);
        opened_ = true;
    }
}

BoardPicture::Batch::~Batch()
{
    if (opened_)
        picture_.batchPainter_.reset();
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
    image_ = blankImage(twipsToPixels(widthTw), twipsToPixels(heightTw));
}

void BoardPicture::clear() { image_.fill(Qt::white); }

template <typename Draw>
void BoardPicture::paint(Draw&& draw)
{
    if (batchPainter_) {
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
}

void BoardPicture::line(int x1, int y1, int x2, int y2, int penWidthPixels)
{
    if (image_.isNull())
        return;
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
    const int x1 = twipsToPixels(left);
    const int y1 = twipsToPixels(top);
    const int x2 = twipsToPixels(left + width);
    const int y2 = twipsToPixels(top + height);
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
    selectFontSize(pointSize);
    paint([&](QPainter& painter) {
        painter.setFont(sizedFont_);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(twipsToPixels(x), twipsToPixels(y) + ascent_), text);
    });
}

} // namespace zumeli
