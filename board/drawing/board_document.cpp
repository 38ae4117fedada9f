// The window's board as one document: replacing it, recording steps of undo, and its clean state.
#include "board/drawing/board_document.h"

#include "board/drawing/board_step.h"

#include <QScopedValueRollback>
#include <QUndoStack>

#include <utility>

namespace zumeli {

BoardDocument::BoardDocument(BoardModel& model, const QString& titleName, QObject* parent)
    : QObject(parent), model_(model), titleName_(titleName)
{
    undoStack_ = new QUndoStack(this);
    undoStack_->setUndoLimit(kMaxUndoSteps);
    connect(undoStack_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit unsavedChangesChanged(!clean); });
}

BoardDocument::~BoardDocument()
{
    // The undo stack's clearing as it is deleted announces a clean change: by then there is
    // no document to tell.
    disconnect(undoStack_, nullptr, this, nullptr);
}

void BoardDocument::setTitleName(const QString& name)
{
    titleName_ = name;
    emit titleNameChanged(name);
}

void BoardDocument::replaceBoard(const BoardModel& board, const QString& titleName, Redraw kind)
{
    model_ = board;
    setTitleName(titleName);
    emit boardReplaced(kind);
}

void BoardDocument::replaceBoard(const BoardModel& board, Redraw kind)
{
    model_ = board;
    emit boardReplaced(kind);
}

void BoardDocument::runAsStep(const QString& stepName, const std::function<void()>& handler)
{
    const BoardState before{model_, titleName_};
    {
        const QScopedValueRollback<bool> running(stepRunning_, true);
        handler();
    }
    // Only a change of the board is a step; a title that changes alone (a save) is not.
    if (!(model_ == before.model)) {
        auto restored = [this](const QString& title) {
            setTitleName(title);
            emit boardReplaced(Redraw::Full);
            emit boardChanged();
        };
        if (auto step = BoardStep::between(stepName, before, BoardState{model_, titleName_}, model_,
                                           restored))
            undoStack_->push(step.release());
        emit boardChanged();
    }
    if (std::exchange(savedInStep_, false))
        settleSavedState();
}

void BoardDocument::forgetHistory()
{
    undoStack_->clear();
    undoStack_->resetClean();
}

void BoardDocument::markBoardSaved(BoardPart part)
{
    if (part == BoardPart::Puzzle)
        savedParts_.puzzleSaved(model_);
    else
        savedParts_.answerSaved(model_);
    if (stepRunning_)
        savedInStep_ = true;
    else
        settleSavedState();
}

void BoardDocument::markAnswerStateLoaded() { savedParts_.answerSaved(model_); }

void BoardDocument::settleSavedState()
{
    if (savedParts_.allSaved(model_))
        undoStack_->setClean();
    else
        undoStack_->resetClean();
}

bool BoardDocument::hasUnsavedChanges() const { return !undoStack_->isClean(); }

} // namespace zumeli
