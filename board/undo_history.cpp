// Undo and redo steps stored as cell differences.
#include "board/undo_history.h"

namespace zumeli {

void UndoHistory::record(const BoardState& before, const BoardState& after)
{
    Step step{{},
              {before.model.clueSize, after.model.clueSize},
              {before.model.gridWidth, after.model.gridWidth},
              {before.model.gridHeight, after.model.gridHeight},
              {before.titleName, after.titleName}};
    for (int y = 0; y < kBoardSide; ++y)
        for (int x = 0; x < kBoardSide; ++x) {
            const int16 old = before.model.board(x, y);
            const int16 now = after.model.board(x, y);
            if (old != now)
                step.cells.push_back({y * kBoardSide + x, old, now});
        }
    const bool dimensionsChanged = step.clueSize[0] != step.clueSize[1]
        || step.gridWidth[0] != step.gridWidth[1] || step.gridHeight[0] != step.gridHeight[1];
    if (step.cells.empty() && !dimensionsChanged && step.titleName[0] == step.titleName[1])
        return;
    if (undo_.size() >= kMaxSteps)
        undo_.pop_front();
    undo_.push_back(std::move(step));
    redo_.clear();
}

void UndoHistory::apply(const Step& step, BoardState& state, int side)
{
    for (const CellChange& change : step.cells)
        state.model.board(change.index % kBoardSide, change.index / kBoardSide) =
            side == 0 ? change.before : change.after;
    state.model.clueSize = step.clueSize[side];
    state.model.gridWidth = step.gridWidth[side];
    state.model.gridHeight = step.gridHeight[side];
    state.titleName = step.titleName[side];
}

bool UndoHistory::undo(BoardState& state)
{
    if (undo_.empty())
        return false;
    apply(undo_.back(), state, 0);
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
    return true;
}

bool UndoHistory::redo(BoardState& state)
{
    if (redo_.empty())
        return false;
    apply(redo_.back(), state, 1);
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
    return true;
}

void UndoHistory::clear()
{
    undo_.clear();
    redo_.clear();
}

} // namespace zumeli
