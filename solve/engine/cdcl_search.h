// Conflict-driven search: branches on cells and learns a clause from every contradiction.
#pragma once

#include "solve/engine/line_state.h"
#include "solve/engine/solver.h"

#include <cstdint>
#include <vector>

namespace zumeli::solver {

struct ConflictSearchResult {
    Verdict verdict = Verdict::Stopped; // Stopped: see the limits for why
    std::vector<CellGrid> solutions;    // at most two, all different
    std::uint64_t decisions = 0;
    std::uint64_t conflicts = 0;
};

// Decides the puzzle from the cells known in `lines`, which line propagation has brought to
// its fixed point without a contradiction. Works in `lines` (and leaves it part way).
ConflictSearchResult conflictSearch(LineState& lines, const SolveOptions& options, RunLimits& limits);

} // namespace zumeli::solver
