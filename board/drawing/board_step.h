// One undoable change of the board for Qt's undo stack: the cells it changed, the dimensions
// and the file name the window title showed, before and after.
#pragma once

#include "board/board_model.h"

#include <QString>
#include <QUndoCommand>

#include <functional>
#include <memory>
#include <vector>

namespace zumeli {

// What a step brings back besides the cells: the dimensions and the title's file name.
struct BoardState {
    BoardModel model;
    QString titleName;
};

// Steps older than this many are forgotten (the oldest first), so memory stays bounded.
constexpr int kMaxUndoSteps = 100000;

class BoardStep : public QUndoCommand {
public:
    // Called after undo or redo has written one side of the step into the board, with that
    // side's title name: the window shows it and draws the board anew.
    using Restored = std::function<void(const QString& titleName)>;

    // The step from `before` to `after`, named `text` (the undo and redo menu items show it),
    // for a board that already holds `after`; nothing when the two are the same. Undo and redo
    // write into `board`, which must outlive the step.
    static std::unique_ptr<BoardStep> between(const QString& text, const BoardState& before,
                                              const BoardState& after, BoardModel& board,
                                              Restored restored);

    void undo() override;
    // The first redo, which the stack runs when the step is pushed, finds the change already made.
    void redo() override;

private:
    struct CellChange {
        int index;  // y * 101 + x
        int16 before;
        int16 after;
    };
    BoardStep(const QString& text, BoardModel& board, Restored restored);
    void apply(int side);  // 0 the state before, 1 the state after

    BoardModel& board_;
    Restored restored_;
    std::vector<CellChange> cells_;
    int16 clueSize_[2] = {};
    int16 gridWidth_[2] = {};
    int16 gridHeight_[2] = {};
    QString titleName_[2];
    bool pushed_ = false;
};

} // namespace zumeli
