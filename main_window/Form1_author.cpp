// Main-window handlers of the author commands: a new empty puzzle and a puzzle from an image.
#include "main_window/Form1.h"

#include "author/Form2.h"
#include "author/Form3.h"
#include "author/new_puzzle.h"
#include "files/file_flow.h"

namespace zumeli {

void Form1::Command7_Click()
{
    Form2 dialog(desktop, this);
    desktop.execDialog(dialog);
    // A cancel or a close keeps the board the user had: only a confirmed size replaces it.
    if (!dialog.chosenSize())
        return;
    model = newPuzzleBoard(*dialog.chosenSize());
    setTitleName(kUntitled);
    forgetRectangleStart();
    redrawOrResetZoom(Redraw::Full);
}

void Form1::Command9_Click()
{
    runFileFlow(desktop, FileCommand::ImportImage, dialogFileName, [this](const QString& path) {
        setTitleName(kUntitled);
        imagePath = path;
        Form3 dialog(desktop, model, imagePath, this);  // throws for an unreadable image
        // A picture refused for its size was answered by its own message: the board and its
        // picture stay as they were.
        if (dialog.closedAtStartup())
            return;
        desktop.execDialog(dialog);
        if (dialog.converted())
            forgetRectangleStart();
        redrawOrResetZoom(Redraw::Full);
    });
}

} // namespace zumeli
