// Printing the board and writing it as a Windows bitmap.
#include "files/board_output.h"

#include "files/file_io.h"

#include <QBuffer>
#include <QImageWriter>

namespace zumeli {

void printBoard(Desktop& desktop, const QImage& boardImage, const BorderLines& lines)
{
    std::unique_ptr<PrintJob> job = desktop.startPrintJob();
    job->drawImage(kPrintOffsetTw, kPrintOffsetTw, boardImage);
    job->setPenWidth(kBorderPenPixels);
    // Line end points are positions of the line objects, not 16-bit board values: the offset
    // is plain arithmetic, and a line beyond the printable area is simply cut off.
    for (const QLine& line : {lines.vertical, lines.horizontal})
        job->drawLine(line.x1() + kPrintOffsetTw, line.y1() + kPrintOffsetTw,
                      line.x2() + kPrintOffsetTw, line.y2() + kPrintOffsetTw);
    job->endDoc();
}

void drawBorderLines(BoardPicture& picture, const BorderLines& lines)
{
    // The picture's pen width is given per line, so every other drawing stays 1 pixel wide.
    for (const QLine& line : {lines.vertical, lines.horizontal})
        picture.line(line.x1(), line.y1(), line.x2(), line.y2(), kBorderPenPixels);
}

void writeBitmapAtomically(const QImage& image, const QString& path)
{
    // The whole bitmap is encoded in memory first, then goes through the one all-or-nothing
    // writer, so a failure never leaves a truncated bitmap in place of the old file.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(image))
        throw BitmapWriteError(("cannot write the bitmap: " + writer.errorString()).toStdString());
    try {
        writeFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const FileAccessError& error) {
        throw BitmapWriteError(std::string("cannot put the bitmap in place: ") + error.what());
    }
}

} // namespace zumeli
