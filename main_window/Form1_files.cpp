// Main-window handlers of the files commands: load and save the puzzle and the answer state,
// and the opening of the files named on the command line.
#include "main_window/Form1.h"

#include "formats/answer_state_file.h"
#include "files/file_flow.h"
#include "files/file_io.h"
#include "formats/puzzle_file.h"
#include "formats/puzzle_formats.h"

namespace zumeli {

// The puzzle Load's own step, once its file is known (from the dialog or the command line).
void Form1::loadPuzzleFile(const QString& path)
{
    // The whole file is read and checked before the board is touched, so a bad file
    // leaves the board, its dimensions, the picture and the title as they were.
    // .non and webpbn XML puzzles open too, recognised by their content or extension.
    const BoardModel loaded =
        boardFromPuzzleFile(path.toStdString(), readWholeFile(path, kMaxTextFileBytes));
    document_->replaceBoard(loaded, fileTitle(path), Redraw::Clues);
    document_->markBoardSaved(BoardDocument::BoardPart::Puzzle);
    startPlay();
}

// The answer-state Load's own step, against the puzzle on the board.
void Form1::loadAnswerStateFile(const QString& path)
{
    const BoardModel restored = applyAnswerState(model, readWholeFile(path, kMaxTextFileBytes));
    document_->replaceBoard(restored, Redraw::Full);
    document_->markAnswerStateLoaded();
    if (inPlay())
        takePlayBaseline();
}

void Form1::Command1_Click()
{
    runFileFlow(desktop, FileCommand::LoadPuzzle, dialogFileName,
                [this](const QString& path) { loadPuzzleFile(path); });
}

void Form1::Command3_Click()
{
    runFileFlow(desktop, FileCommand::SavePuzzle, dialogFileName, [this](const QString& path) {
        writeFileAtomically(path, puzzleText(model));
        // The title names the file only once it really holds the puzzle.
        document_->setTitleName(fileTitle(path));
        // The puzzle file holds the clues only: fills and crosses stay unsaved until they are
        // in an answer state too.
        document_->markBoardSaved(BoardDocument::BoardPart::Puzzle);
    });
}

void Form1::Command4_Click(int16 index)
{
    if (index == 0) {
        runFileFlow(desktop, FileCommand::LoadAnswerState, dialogFileName,
                    [this](const QString& path) { loadAnswerStateFile(path); });
    } else if (index == 1) {
        runFileFlow(desktop, FileCommand::SaveAnswerState, dialogFileName,
                    [this](const QString& path) {
                        writeFileAtomically(path, answerStateText(model));
                        document_->markBoardSaved(BoardDocument::BoardPart::Answer);
                        redrawOrResetZoom(Redraw::Full);
                    });
    }
}

void Form1::openFromCommandLine(const QString& puzzlePath, const QString& statePath)
{
    if (puzzlePath.isEmpty())
        return;
    // The files are opened as the two Load commands would open them, one after the other,
    // and together make one step of undo. The state belongs to the puzzle named with it, so
    // it is not laid over the start-up board when that puzzle cannot be read.
    runAsStep(tr("問題を開く"), [&] {
        const FlowResult puzzle =
            runFileStep(desktop, dialogFileName, puzzlePath,
                        [this](const QString& path) { loadPuzzleFile(path); });
        if (puzzle == FlowResult::Done && !statePath.isEmpty())
            runFileStep(desktop, dialogFileName, statePath,
                        [this](const QString& path) { loadAnswerStateFile(path); });
    });
}

} // namespace zumeli
