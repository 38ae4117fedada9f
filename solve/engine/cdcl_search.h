// Conflict-driven search: branches on cells and learns a clause from every contradiction.
#pragma once

#include "solve/engine/solver.h"

#include <chrono>
#include <cstdint>
#include <vector>

namespace zumeli::solver {

struct ConflictSearchResult {
    Verdict verdict = Verdict::Stopped;
    StopReason stopReason = StopReason::None;
    std::vector<CellGrid> solutions; // at most two, all different
    std::uint64_t decisions = 0;
    std::uint64_t conflicts = 0;
    std::uint64_t lineSolves = 0;
};

// Decides the puzzle given by its clue lists (rows then columns, zeros already dropped) from
// the cells already known in `start` (which must be consistent as far as line logic goes).
ConflictSearchResult conflictSearch(const std::vector<std::vector<int>>& rows,
                                    const std::vector<std::vector<int>>& columns,
                                    const CellGrid& start, const SolveOptions& options,
                                    std::chrono::steady_clock::time_point startTime,
                                    std::uint64_t nodesUsed);

} // namespace zumeli::solver
