// Printing the board and writing it as a Windows bitmap.
#include "files/board_output.h"

#include <QImageWriter>
#include <QSaveFile>

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
    // QSaveFile writes beside the target and renames only after a complete write, so a
    // failure never leaves a truncated bitmap in place of the old file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw BitmapWriteError(("cannot create the bitmap file: " + file.errorString()).toStdString());
    QImageWriter writer(&file, "bmp");
    // The final flush is checked here: a commit whose flush fails would still rename a short file.
    if (!writer.write(image) || !file.flush()) {
        file.cancelWriting();
        throw BitmapWriteError(("cannot write the bitmap: " + writer.errorString()).toStdString());
    }
    if (!file.commit())
        throw BitmapWriteError(("cannot put the bitmap in place: " + file.errorString()).toStdString());
}

} // namespace zumeli
