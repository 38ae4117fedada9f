// Turning an image file into the answer picture of a new puzzle.
#include "author/image_threshold.h"

#include <QCoreApplication>

#include "author/new_puzzle.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace zumeli {

namespace {

// The formats the Open command offers. Other readers Qt may have (SVG and the like) are
// refused: a drawing without a pixel grid of its own has no cells to give.
bool isOfferedFormat(const QByteArray& format)
{
    return format == "bmp" || format == "gif" || format == "ico" || format == "jpeg";
}

QString readFailure(const QString& path, const QImageReader& reader)
{
    return path + QStringLiteral(": ") + reader.errorString();
}

// An icon file often holds the same picture at several sizes (16, 32, 48, 256...): the
// largest that an answer area can hold is the one a user means.
QImage bestIconPicture(QImageReader& reader)
{
    QImage best;
    QImage first;
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QImage picture = reader.read();
        if (picture.isNull())
            continue;
        if (first.isNull())
            first = picture;
        const auto area = [](const QImage& p) { return qint64(p.width()) * p.height(); };
        if (!imageTooLarge(picture.size()) && (best.isNull() || area(picture) > area(best)))
            best = picture;
    }
    return best.isNull() ? first : best;
}

quint32 littleEndian(const QByteArray& bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<quint8>(bytes[at + i]);
    return value;
}

// Qt's bitmap reader leaves the rows missing from a cut-off file black and reports success,
// which would turn a damaged file into a puzzle of filled rows. An uncompressed bitmap must
// hold every row its header announces.
bool bitmapRowsComplete(QIODevice& file)
{
    const qint64 start = file.pos();
    file.seek(0);
    const QByteArray header = file.read(34);
    file.seek(start);
    if (header.size() < 26)
        return false;
    const qint64 pixelOffset = littleEndian(header, 10, 4);
    const quint32 infoSize = littleEndian(header, 14, 4);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerPixel = 0;
    quint32 compression = 0;
    if (infoSize == 12) {  // the old OS/2 header: 16-bit sizes
        width = littleEndian(header, 18, 2);
        height = littleEndian(header, 20, 2);
        bitsPerPixel = littleEndian(header, 24, 2);
    } else {
        if (header.size() < 34)
            return false;
        width = static_cast<qint32>(littleEndian(header, 18, 4));
        height = static_cast<qint32>(littleEndian(header, 22, 4));
        bitsPerPixel = littleEndian(header, 28, 2);
        compression = littleEndian(header, 30, 4);
    }
    constexpr quint32 kUncompressed = 0;
    constexpr quint32 kBitFields = 3;
    if (compression != kUncompressed && compression != kBitFields)
        return true;  // run-length data has no fixed size to check against
    // Sizes come from the file and may be absurd: each step stays far inside 64 bits (a
    // width below 2^31 times a depth below 2^16), and a picture whose rows would need more
    // bytes than any file holds is refused before the product could overflow.
    const qint64 rowBytes = (qAbs(width) * bitsPerPixel + 31) / 32 * 4;
    const qint64 rows = qAbs(height);
    if (rowBytes > 0 && rows > (file.size() - pixelOffset) / rowBytes)
        return false;
    return file.size() >= pixelOffset + rowBytes * rows;
}

} // namespace

int16 RedFromRGB(ColourValue colour) { return static_cast<int16>(colour & 0xFF); }
int16 GreenFromRGB(ColourValue colour) { return static_cast<int16>((colour >> 8) & 0xFF); }
int16 BlueFromRGB(ColourValue colour) { return static_cast<int16>((colour >> 16) & 0xFF); }

namespace {

// Decodes the picture `device` holds; `name` names it in the error.
QImage decodeImage(QIODevice& device, const QString& name)
{
    QImageReader reader(&device);
    // The content decides, so a picture saved under another extension still opens.
    reader.setDecideFormatFromContent(true);
    if (!isOfferedFormat(reader.format()))
        throw ImageReadError(readFailure(name, reader).toStdString());
    if (reader.format() == "bmp" && !bitmapRowsComplete(device))
        throw ImageReadError((name + QStringLiteral(": the bitmap is cut off")).toStdString());
    const QImage picture = reader.format() == "ico" && reader.imageCount() > 1
                               ? bestIconPicture(reader)
                               : reader.read();
    if (picture.isNull() || picture.width() < 1 || picture.height() < 1)
        throw ImageReadError(readFailure(name, reader).toStdString());
    return picture;
}

} // namespace

QImage decodeImageFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ImageReadError((path + QStringLiteral(": ") + file.errorString()).toStdString());
    return decodeImage(file, path);
}

QImage decodeImageBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return decodeImage(buffer, QStringLiteral("the image"));
}

QImage imageOnBackground(const QImage& image, const QColor& background)
{
    QImage surface(image.size(), QImage::Format_RGB32);
    surface.fill(background);
    QPainter painter(&surface);
    painter.drawImage(0, 0, image);
    painter.end();
    return surface;
}

ColourValue colourValueAt(const QImage& picture, int x, int y)
{
    const QRgb pixel = picture.pixel(x, y);
    return static_cast<ColourValue>(qRed(pixel)) | static_cast<ColourValue>(qGreen(pixel)) << 8
         | static_cast<ColourValue>(qBlue(pixel)) << 16;
}

bool isDarkerThanThreshold(ColourValue colour, int threshold)
{
    // Whole numbers on both sides: the mean (R + G + B) / 3 is below T exactly when the sum is
    // below 3 T, and a pixel as bright as the threshold stays empty.
    const int sum = RedFromRGB(colour) + GreenFromRGB(colour) + BlueFromRGB(colour);
    return sum < 3 * threshold;
}

bool imageTooLarge(QSize size)
{
    return size.width() > kMaxAnswerSide || size.height() > kMaxAnswerSide;
}

QString imageInfoText(QSize size)
{
    return QCoreApplication::translate("zumeli::ImageThreshold", "★　画像情報　★\r\n幅:%1\r\n　高さ:%2").arg(size.width()).arg(size.height());
}

ImportEntry checkImportEntries(const QString& clueSizeText, const QString& thresholdText)
{
    const auto clueSize = readNumberBox(clueSizeText);
    if (!clueSize || *clueSize < 1 || *clueSize > kMaxClueSize)
        return {std::nullopt, translated(kClueSizeRangeMessage)};
    // Rounded down, a threshold is below 0 exactly when the typed number is.
    const auto threshold = readNumberBox(thresholdText);
    if (!threshold || *threshold < 0 || *threshold > 255)
        return {std::nullopt, translated(kThresholdRangeMessage)};
    return {ImportSettings{static_cast<int16>(*clueSize), static_cast<int16>(*threshold)},
            QString()};
}

BoardModel boardFromPicture(const QImage& picture, const ImportSettings& settings)
{
    if (picture.isNull() || imageTooLarge(picture.size()))
        throw ImageTooLargeError("the picture does not fit an 80 x 80 answer area");
    BoardModel model;  // every cell 0, the clue band and everything beyond the picture too
    const int n = settings.clueSize;
    model.clueSize = settings.clueSize;
    model.gridWidth = add16(n, picture.width());
    model.gridHeight = add16(n, picture.height());
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < picture.height(); ++y)
            model.board(n + x, n + y) =
                isDarkerThanThreshold(colourValueAt(picture, x, y), settings.threshold) ? kFilled
                                                                                        : kEmpty;
    return model;
}

} // namespace zumeli
