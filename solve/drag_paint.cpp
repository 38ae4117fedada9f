// Drag painting: the drag's mode from its press, its lock to one line and the cells it paints.
#include "solve/drag_paint.h"

#include "solve/drawing_tools.h"

#include <algorithm>
#include <cstdlib>

namespace zumeli {

std::optional<DragMode> dragModeFor(int16 before, int button)
{
    if (before != kEmpty && before != kFilled && before != kCross)
        return std::nullopt;
    if (button == kLeftButton)
        return before == kFilled ? DragMode::EraseFills : DragMode::Fill;
    if (button == kRightButton)
        return before == kCross ? DragMode::EraseCrosses : DragMode::Cross;
    return std::nullopt;
}

std::optional<int16> dragValue(DragMode mode, int16 value)
{
    switch (mode) {
    case DragMode::Fill:
        return value == kEmpty ? std::optional<int16>(kFilled) : std::nullopt;
    case DragMode::Cross:
        return value == kEmpty ? std::optional<int16>(kCross) : std::nullopt;
    case DragMode::EraseFills:
        return value == kFilled ? std::optional<int16>(kEmpty) : std::nullopt;
    case DragMode::EraseCrosses:
        return value == kCross ? std::optional<int16>(kEmpty) : std::nullopt;
    }
    return std::nullopt;
}

DragPaint::DragPaint(BoardPoint start, DragMode mode)
    : start_(start), reached_(start), mode_(mode)
{
}

BoardPoint DragPaint::projected(const BoardModel& model, BoardPoint at) const
{
    // The point's place along the locked line, kept inside the answer area.
    if (axis_ == Axis::Row)
        return {std::clamp<int>(at.x, model.clueSize, model.gridWidth - 1), start_.y};
    return {start_.x, std::clamp<int>(at.y, model.clueSize, model.gridHeight - 1)};
}

std::vector<BoardPoint> DragPaint::moveTo(BoardModel& model, BoardPoint at)
{
    if (axis_ == Axis::None) {
        if (at == start_)
            return {};
        // The first cell moved to decides the line: the way it lies farther from the start.
        axis_ = std::abs(at.x - start_.x) >= std::abs(at.y - start_.y) ? Axis::Row : Axis::Column;
    }
    const BoardPoint target = projected(model, at);
    std::vector<BoardPoint> changed;
    const int dx = target.x > reached_.x ? 1 : target.x < reached_.x ? -1 : 0;
    const int dy = target.y > reached_.y ? 1 : target.y < reached_.y ? -1 : 0;
    // Every cell between the last reached and the new one: a quick move skips no cell.
    for (BoardPoint cell = reached_; cell != target;) {
        cell = {cell.x + dx, cell.y + dy};
        int16& value = model.board(cell.x, cell.y);
        if (const auto next = dragValue(mode_, value)) {
            value = *next;
            changed.push_back(cell);
        }
    }
    reached_ = target;
    return changed;
}

int DragPaint::runLength() const
{
    return std::abs(reached_.x - start_.x) + std::abs(reached_.y - start_.y) + 1;
}

} // namespace zumeli
