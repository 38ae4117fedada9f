// Probing at a line-logic fixed point: a cell that, set to one value, makes line logic meet a
// contradiction takes the other value, again and again until nothing more is decided.
#pragma once

#include "solve/engine/line_state.h"
#include "solve/engine/puzzle.h"

namespace zumeli::solver {

enum class ProbeOutcome {
    Contradiction, // some cell contradicts both ways: the clues have no solution
    Open,          // probing stopped deciding with cells still open
    Filled,        // probing decided every cell
    Stopped,       // the limits stopped it first
    GaveUp,        // `patience` probes in a row decided nothing, so it stopped short
};

// Probes the open cells of `state`, which must be at a line-logic fixed point, to the
// probing fixed point, recording every cell it decides (and what line logic derives from
// it). With `solution` (a picture known to fit the clues) only the value against it is tried
// for each cell, since the other one never contradicts. The fixed point does not depend on
// the order the cells are tried in; the order is fixed, so a run is the same every time.
// With `patience` (0: none), it gives up once that many probes in a row decide nothing; the
// cells it decided until then stay recorded.
ProbeOutcome probeToFixedPoint(LineState& state, RunLimits& limits, const CellGrid* solution = nullptr,
                               long patience = 0);

// The same on a line state of its own for `puzzle`, from the known cells of `lineGrid` (a
// line-logic fixed point for the puzzle: what line logic decides, or that and cells probing
// decided).
ProbeOutcome probeFromLineGrid(const Puzzle& puzzle, const CellGrid& lineGrid, RunLimits& limits,
                               const CellGrid* solution = nullptr);

} // namespace zumeli::solver
