// Undoable board steps stored as cell differences.
#include "board/drawing/board_step.h"

namespace zumeli {

BoardStep::BoardStep(const QString& text, BoardModel& board, Restored restored)
    : QUndoCommand(text), board_(board), restored_(std::move(restored))
{
}

std::unique_ptr<BoardStep> BoardStep::between(const QString& text, const BoardState& before,
                                              const BoardState& after, BoardModel& board,
                                              Restored restored)
{
    std::unique_ptr<BoardStep> step(new BoardStep(text, board, std::move(restored)));
    for (int y = 0; y < kBoardSide; ++y)
        for (int x = 0; x < kBoardSide; ++x) {
            const int16 old = before.model.board(x, y);
            const int16 now = after.model.board(x, y);
            if (old != now)
                step->cells_.push_back({y * kBoardSide + x, old, now});
        }
    step->clueSize_[0] = before.model.clueSize;
    step->clueSize_[1] = after.model.clueSize;
    step->gridWidth_[0] = before.model.gridWidth;
    step->gridWidth_[1] = after.model.gridWidth;
    step->gridHeight_[0] = before.model.gridHeight;
    step->gridHeight_[1] = after.model.gridHeight;
    step->titleName_[0] = before.titleName;
    step->titleName_[1] = after.titleName;
    const bool dimensionsChanged = step->clueSize_[0] != step->clueSize_[1]
        || step->gridWidth_[0] != step->gridWidth_[1] || step->gridHeight_[0] != step->gridHeight_[1];
    if (step->cells_.empty() && !dimensionsChanged && before.titleName == after.titleName)
        return nullptr;
    return step;
}

void BoardStep::undo() { apply(0); }

void BoardStep::redo()
{
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    apply(1);
}

void BoardStep::apply(int side)
{
    for (const CellChange& change : cells_)
        board_.board(change.index % kBoardSide, change.index / kBoardSide) =
            side == 0 ? change.before : change.after;
    board_.clueSize = clueSize_[side];
    board_.gridWidth = gridWidth_[side];
    board_.gridHeight = gridHeight_[side];
    if (restored_)
        restored_(titleName_[side]);
}

} // namespace zumeli
