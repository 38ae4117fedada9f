// Small pictures for the image-import tests, drawn as ASCII, and a GIF writer (Qt reads GIF
// but cannot write it) so that every test makes its own files.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QString>

#include <cstring>
#include <initializer_list>
#include <stdexcept>
#include <vector>

namespace zumeli::test {

// A picture from rows of '#' (black), '.' (white), 'g' (mid grey 128,128,128) and ' '
// (fully transparent); every row the same length.
inline QImage pictureFromRows(std::initializer_list<const char*> rows)
{
    const int width = static_cast<int>(std::strlen(*rows.begin()));
    QImage image(width, static_cast<int>(rows.size()), QImage::Format_ARGB32);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < width; ++x) {
            QRgb colour = qRgba(0, 0, 0, 0);
            switch (row[x]) {
            case '#': colour = qRgb(0, 0, 0); break;
            case '.': colour = qRgb(255, 255, 255); break;
            case 'g': colour = qRgb(128, 128, 128); break;
            case ' ': break;
            default: throw std::invalid_argument("unknown picture character");
            }
            image.setPixel(x, y, colour);
        }
        ++y;
    }
    return image;
}

// Writes `image` as a GIF89a file: one frame, up to 255 colours, fully transparent pixels
// through the transparent colour index (whose palette colour is black, so a reader that
// ignores transparency would see black there).
inline void writeGif(const QString& path, const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    constexpr int kTransparentIndex = 0;
    QHash<QRgb, int> indexOf;
    std::vector<QRgb> palette{qRgb(0, 0, 0)};  // index 0: transparent
    std::vector<int> indices;
    bool anyTransparent = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0) {
                anyTransparent = true;
                indices.push_back(kTransparentIndex);
                continue;
            }
            const QRgb opaque = pixel | 0xFF000000u;
            if (!indexOf.contains(opaque)) {
                if (palette.size() == 256)
                    throw std::invalid_argument("too many colours for one GIF palette");
                indexOf.insert(opaque, static_cast<int>(palette.size()));
                palette.push_back(opaque);
            }
            indices.push_back(indexOf.value(opaque));
        }
    }

    QByteArray out("GIF89a");
    auto le16 = [&out](int value) {
        out.append(static_cast<char>(value & 0xFF));
        out.append(static_cast<char>((value >> 8) & 0xFF));
    };
    le16(image.width());
    le16(image.height());
    out.append(static_cast<char>(0xF7));  // global colour table of 256 entries
    out.append('\0');                     // background colour index
    out.append('\0');                     // pixel aspect ratio
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < static_cast<int>(palette.size()) ? palette[i] : qRgb(0, 0, 0);
        out.append(static_cast<char>(qRed(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qBlue(colour)));
    }
    if (anyTransparent) {  // graphic control extension naming the transparent index
        out.append(QByteArray::fromHex("21f904010000"));
        out.append(static_cast<char>(kTransparentIndex));
        out.append('\0');
    }
    out.append(',');
    le16(0);
    le16(0);
    le16(image.width());
    le16(image.height());
    out.append('\0');  // no local table, not interlaced

    // LZW with 9-bit codes throughout: a clear code before the table could grow to 512.
    constexpr int kMinCodeSize = 8;
    constexpr int kClear = 256;
    constexpr int kEnd = 257;
    out.append(static_cast<char>(kMinCodeSize));
    QByteArray data;
    quint32 bitBuffer = 0;
    int bitCount = 0;
    auto putCode = [&](int code) {
        bitBuffer |= static_cast<quint32>(code) << bitCount;
        bitCount += 9;
        while (bitCount >= 8) {
            data.append(static_cast<char>(bitBuffer & 0xFF));
            bitBuffer >>= 8;
            bitCount -= 8;
        }
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % 200 == 0)
            putCode(kClear);
        putCode(indices[i]);
    }
    putCode(kEnd);
    if (bitCount > 0)
        data.append(static_cast<char>(bitBuffer & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(static_cast<char>(block.size()));
        out.append(block);
    }
    out.append('\0');  // end of the image data
    out.append(';');   // trailer

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size())
        throw std::runtime_error("cannot write the GIF file");
}

// Writes raw bytes to a file (for corrupt and foreign files).
inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the file");
}

// Joins single-picture icon files, as Qt writes them, into one icon file holding every picture.
inline QByteArray joinIcons(const std::vector<QByteArray>& singleIcons)
{
    const int count = static_cast<int>(singleIcons.size());
    QByteArray header = QByteArray::fromHex("00000100");
    header.append(static_cast<char>(count & 0xFF));
    header.append(static_cast<char>(count >> 8));
    QByteArray entries;
    QByteArray payloads;
    const int dataStart = 6 + 16 * count;
    for (const QByteArray& icon : singleIcons) {
        // A single icon: 6-byte header, one 16-byte entry whose last 4 bytes are the offset.
        QByteArray entry = icon.mid(6, 16);
        const quint32 offset = static_cast<quint32>(dataStart + payloads.size());
        for (int b = 0; b < 4; ++b)
            entry[12 + b] = static_cast<char>((offset >> (8 * b)) & 0xFF);
        const quint32 oldOffset = static_cast<quint8>(icon[18]) | static_cast<quint8>(icon[19]) << 8
                                | static_cast<quint8>(icon[20]) << 16
                                | static_cast<quint8>(icon[21]) << 24;
        entries.append(entry);
        payloads.append(icon.mid(oldOffset));
    }
    return header + entries + payloads;
}

} // namespace zumeli::test
