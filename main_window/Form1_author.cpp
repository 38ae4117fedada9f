// Main-window handlers of the author commands: a new empty puzzle and a puzzle from an image.
#include "main_window/Form1.h"

#include "dialogs/Form2.h"
#include "dialogs/Form3.h"
#include "dialogs/picture_import_dialog.h"
#include "author/image_import.h"
#include "author/image_threshold.h"
#include "author/new_puzzle.h"
#include "files/file_flow.h"
#include "dialogs/puzzle_check_window.h"

namespace zumeli {

void Form1::Command7_Click()
{
    Form2 dialog(desktop, this);
    desktop.execDialog(dialog);
    // A cancel or a close keeps the board the user had: only a confirmed size replaces it.
    if (!dialog.chosenSize())
        return;
    endPlay();
    document_->replaceBoard(newPuzzleBoard(*dialog.chosenSize()), translated(kUntitled),
                            Redraw::Full);
}

void Form1::Command9_Click()
{
    runFileFlow(desktop, FileCommand::ImportImage, dialogFileName, [this](const QString& path) {
        document_->setTitleName(translated(kUntitled));
        imagePath = path;
        Form3 dialog(desktop, model, imagePath, this);  // throws for an unreadable image
        // A picture refused for its size was answered by its own message: the board and its
        // picture stay as they were.
        if (dialog.closedAtStartup())
            return;
        desktop.execDialog(dialog);
        if (dialog.converted()) {
            endPlay();
            forgetRectangleStart();
        }
        redrawOrResetZoom(Redraw::Full);
    });
}

void Form1::importPicture()
{
    // The file dialog's name is taken over only when a board comes of it: a cancel anywhere
    // leaves everything as it was.
    QString fileName = dialogFileName;
    runFileFlow(desktop, FileCommand::ImportPicture, fileName, [this](const QString& path) {
        QImage image;
        try {
            image = readSourceImage(path);  // throws ImageReadError for an unreadable file
        } catch (const SourceImageTooLargeError&) {
            desktop.messageBox(translated(kSourceImageTooLargeMessage), translated(kImageTooLargeTitle),
                               MessageButtons::Ok, MessageIcon::Critical);
            return;
        }
        PictureImportDialog dialog(desktop, image, this);
        desktop.execDialog(dialog);
        if (!dialog.chosenBoard())
            return;
        endPlay();
        dialogFileName = path;
        document_->replaceBoard(*dialog.chosenBoard(), translated(kUntitled), Redraw::Full);
    });
}

void Form1::applyRepairedPicture(const QString& stepName, const solver::CellGrid& picture)
{
    // The board may have been replaced since the check: a picture of another size is old.
    // The clue band widens when the repaired picture has more runs in a line than it holds.
    BoardModel repaired = model;
    if (!writeRepairedPicture(repaired, picture))
        return;
    runAsStep(stepName, [this, &repaired] { document_->replaceBoard(repaired, Redraw::Full); });
    if (checkWindow)
        checkWindow->startCheck(model);
}

} // namespace zumeli
