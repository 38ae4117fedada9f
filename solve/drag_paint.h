// Drag painting: which answer cells a press-and-drag of the pencil paints, and with what.
#pragma once

#include "board/board_model.h"

#include <optional>
#include <vector>

namespace zumeli {

// What a drag does to the cells it passes, decided by the press that starts it: the cell
// pressed and the button. A fill-drag fills empty cells and a cross-drag crosses empty cells;
// a drag started on a fill with the left button (which empties it) empties fills, one started
// on a cross with the right button empties crosses. Cells of the other kind are skipped, so a
// fill-drag never overwrites a cross, nor a cross-drag a fill.
enum class DragMode { Fill, Cross, EraseFills, EraseCrosses };

// The mode of a drag started by `button` on a cell holding `before`; nothing for a button
// other than left or right, or a cell value the pencil leaves alone.
std::optional<DragMode> dragModeFor(int16 before, int button);

// The value a cell holding `value` gets from a drag of `mode`, or nothing when the drag skips
// it.
std::optional<int16> dragValue(DragMode mode, int16 value);

// One drag over the answer area: it starts on an answer cell, locks to the row or the column
// of the first cell it moves to (the longer way when that cell is off both), and from then on
// reaches the cell of that line nearest the pointer.
class DragPaint {
public:
    DragPaint(BoardPoint start, DragMode mode);

    // The pointer is over board cell `at` (possibly off the board): paints every cell from the
    // last one reached up to the one now reached along the locked line, and returns the cells
    // it changed. Cells once painted stay painted when the pointer turns back.
    std::vector<BoardPoint> moveTo(BoardModel& model, BoardPoint at);

    // How many cells the run from the start to the cell now reached spans, both included.
    int runLength() const;
    BoardPoint reached() const { return reached_; }
    DragMode mode() const { return mode_; }

private:
    enum class Axis { None, Row, Column };
    BoardPoint projected(const BoardModel& model, BoardPoint at) const;

    BoardPoint start_;
    BoardPoint reached_;
    DragMode mode_;
    Axis axis_ = Axis::None;
};

} // namespace zumeli
