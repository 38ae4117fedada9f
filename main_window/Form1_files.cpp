// Main-window handlers of the files commands: load and save the puzzle and the answer state.
#include "main_window/Form1.h"

#include "formats/answer_state_file.h"
#include "files/file_flow.h"
#include "files/file_io.h"
#include "formats/puzzle_file.h"
#include "formats/puzzle_formats.h"

namespace zumeli {

void Form1::Command1_Click()
{
    runFileFlow(desktop, FileCommand::LoadPuzzle, dialogFileName, [this](const QString& path) {
        // The whole file is read and checked before the board is touched, so a bad file
        // leaves the board, its dimensions, the picture and the title as they were.
        // .non and webpbn XML puzzles open too, recognised by their content or extension.
        const BoardModel loaded =
            boardFromPuzzleFile(path.toStdString(), readWholeFile(path, kMaxTextFileBytes));
        model = loaded;
        forgetRectangleStart();
        redrawOrResetZoom(Redraw::Clues);
        setTitleName(fileTitle(path));
    });
}

void Form1::Command3_Click()
{
    runFileFlow(desktop, FileCommand::SavePuzzle, dialogFileName, [this](const QString& path) {
        writeFileAtomically(path, puzzleText(model));
        // The title names the file only once it really holds the puzzle.
        setTitleName(fileTitle(path));
    });
}

void Form1::Command4_Click(int16 index)
{
    if (index == 0) {
        runFileFlow(desktop, FileCommand::LoadAnswerState, dialogFileName,
                    [this](const QString& path) {
                        const BoardModel restored =
                            applyAnswerState(model, readWholeFile(path, kMaxTextFileBytes));
                        model = restored;
                        forgetRectangleStart();
                        redrawOrResetZoom(Redraw::Full);
                    });
    } else if (index == 1) {
        runFileFlow(desktop, FileCommand::SaveAnswerState, dialogFileName,
                    [this](const QString& path) {
                        writeFileAtomically(path, answerStateText(model));
                        redrawOrResetZoom(Redraw::Full);
                    });
    }
}

} // namespace zumeli
