// Undo and redo over the whole board: every change of the model (and of the window title
// that names its file) is one step, kept as the list of cells it changed.
#pragma once

#include "board/board_model.h"

#include <QString>

#include <cstddef>
#include <deque>
#include <vector>

namespace zumeli {

// What a step restores besides the cells: the dimensions and the title's file name.
struct BoardState {
    BoardModel model;
    QString titleName;
};

class UndoHistory {
public:
    // Records the change from `before` to `after` as one step, if anything changed; a new
    // step drops whatever could have been redone.
    void record(const BoardState& before, const BoardState& after);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    std::size_t undoDepth() const { return undo_.size(); }

    // Applies the last step backwards to `state`; returns false when there is none.
    bool undo(BoardState& state);
    // Applies the last undone step forwards again.
    bool redo(BoardState& state);

    void clear();

    // Steps older than this many are forgotten (the oldest first), so memory stays bounded.
    static constexpr std::size_t kMaxSteps = 100000;

private:
    struct CellChange {
        int index;  // y * 101 + x
        int16 before;
        int16 after;
    };
    struct Step {
        std::vector<CellChange> cells;
        int16 clueSize[2];
        int16 gridWidth[2];
        int16 gridHeight[2];
        QString titleName[2];
    };
    static void apply(const Step& step, BoardState& state, int side);

    std::deque<Step> undo_;
    std::vector<Step> redo_;
};

} // namespace zumeli
