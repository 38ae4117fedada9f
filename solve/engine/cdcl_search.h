// Conflict-driven search: branches on cells and learns a clause from every contradiction.
#pragma once

#include "solve/engine/line_state.h"
#include "solve/engine/solver.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zumeli::solver {

struct ConflictSearchResult {
    Verdict verdict = Verdict::Stopped; // Stopped: see the limits for why
    std::vector<CellGrid> solutions;    // at most two, all different
    std::uint64_t decisions = 0;
    std::uint64_t conflicts = 0;
};

// A way to look for a second solution near the first when the search for one drags on.
// `open` marks (1) the cells in scope that the search did not know from the start; `limits`
// are the search's own. A second solution of the whole puzzle, or nothing (which proves
// nothing); the branches and contradictions it takes are added to `work`.
using NearSecondSearch = std::optional<CellGrid> (*)(const LineState& lines, const CellGrid& first,
                                                     const std::vector<std::uint8_t>& open,
                                                     const SolveOptions& options, RunLimits& limits,
                                                     ConflictSearchResult& work);

// Which cells a search decides and how many solutions it looks for.
struct SearchScope {
    // The open cells to decide, or nullptr for all. Every line crossing one of them must have
    // no open cell outside them (the cells form a part of the grid no line links to the rest).
    const std::vector<int>* cells = nullptr;
    // 2: tell one solution from several; 1: stop at the first (the verdict then says Unique
    // for "found one").
    int solutionsWanted = 2;
    // A complete picture that fits the clues: counted as the first solution, and the one
    // the windows are tried around.
    const CellGrid* firstSolution = nullptr;
    // When the search for a second solution drags on, look for one near the first with
    // this (the solver tries small windows of the grid); nullptr: never.
    NearSecondSearch nearSecond = nullptr;
};

// Decides the puzzle (or the part in `scope`) from the cells known in `lines`, which line
// propagation has brought to its fixed point without a contradiction. Works in `lines` (and
// leaves it part way). Solutions are whole grids; cells outside the scope stay as `lines`
// knew them.
ConflictSearchResult conflictSearch(LineState& lines, const SolveOptions& options, RunLimits& limits,
                                    const SearchScope& scope = {});

} // namespace zumeli::solver
