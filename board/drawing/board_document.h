// The board shown in the window as one document: the model, the file name in the title, the
// undo stack and which parts of the board are in files.
#pragma once

#include "board/board_model.h"
#include "formats/saved_parts.h"

#include <QObject>
#include <QString>

#include <functional>

class QUndoStack;

namespace zumeli {

class BoardDocument : public QObject {
    Q_OBJECT

public:
    // The document of `model`, titled `titleName`, with nothing to undo and nothing unsaved.
    BoardDocument(BoardModel& model, const QString& titleName, QObject* parent = nullptr);
    ~BoardDocument() override;

    BoardModel& model() { return model_; }
    const BoardModel& model() const { return model_; }

    // The file name the window title shows after its prefix.
    const QString& titleName() const { return titleName_; }
    void setTitleName(const QString& name);

    // What the window draws after the board was replaced: a full rebuild (LayoutBoard,
    // DrawGrid, RedrawBoard) or the clue band (DrawClues).
    enum class Redraw { Full, Clues };

    // The board becomes `board`, titled `titleName` (or keeping its title), and the window is
    // told to forget a pending rectangle corner and to draw it as `kind` says, or to reset the
    // zoom when it does not fit.
    void replaceBoard(const BoardModel& board, const QString& titleName, Redraw kind);
    void replaceBoard(const BoardModel& board, Redraw kind);

    // Runs a handler as one undoable step named `stepName`: whatever it changes on the board
    // (and the title with it) is recorded, so undo brings the board back as it was before.
    void runAsStep(const QString& stepName, const std::function<void()>& handler);

    // Undo and redo, limited to kMaxUndoSteps steps; its clean state is the board last saved
    // or loaded, when every part of it that holds something was then in a file.
    QUndoStack* undoStack() const { return undoStack_; }
    // Nothing can be undone any more, and the board counts as unsaved: the board was brought
    // back from somewhere that is not its file.
    void forgetHistory();

    // A part of the board as it stands was saved, or loaded: the puzzle (a puzzle file) or
    // the answer area (an answer state). Once every part that holds something is in its
    // file, the board is the undo stack's clean state; a save that leaves a part in no file
    // leaves no board clean until the next save. Inside a step the mark waits until the
    // step is recorded.
    enum class BoardPart { Puzzle, Answer };
    void markBoardSaved(BoardPart part);
    // An answer state loaded is only noted: its load is a change of the board, not a save.
    void markAnswerStateLoaded();

    // Whether the board has changed since it was last saved or loaded as a puzzle; at
    // start-up it has not. A save counts only when every part of the board that holds
    // something is then in a file: a puzzle file keeps the clue band, an answer state the
    // answer area.
    bool hasUnsavedChanges() const;

signals:
    void titleNameChanged(const QString& titleName);
    // The board was replaced, or undo or redo brought one side of a step back: the window
    // forgets a pending rectangle corner and draws the board as `kind` says.
    void boardReplaced(zumeli::BoardDocument::Redraw kind);
    // A step changed the board, or undo or redo brought another side back.
    void boardChanged();
    // Emitted whenever hasUnsavedChanges() changes.
    void unsavedChangesChanged(bool unsaved);

private:
    void settleSavedState();

    BoardModel& model_;
    QString titleName_;
    QUndoStack* undoStack_ = nullptr;
    SavedParts savedParts_;
    bool stepRunning_ = false;
    bool savedInStep_ = false;
};

} // namespace zumeli
