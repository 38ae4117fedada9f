// Main-window handlers of the print commands: the board on the default printer and as a bitmap.
#include "main_window/Form1.h"

#include "files/board_output.h"
#include "files/file_flow.h"

#include <exception>

namespace zumeli {

void Form1::Command5_Click()
{
    try {
        printBoard(desktop, picture.image(), Picture1->Line1AndLine2());
    } catch (const std::exception&) {
        showFailure(desktop);
    }
}

void Form1::Command6_Click()
{
    runFileFlow(desktop, FileCommand::ExportBitmap, dialogFileName, [this](const QString& path) {
        // The border line objects lie on top of the picture; the bitmap gets them drawn in.
        drawBorderLines(picture, Picture1->Line1AndLine2());
        Picture1->update();
        writeBitmapAtomically(picture.image(), path);
    });
}

} // namespace zumeli
