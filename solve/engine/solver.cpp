// The puzzle solver: line propagation to a fixed point, then the learning search.
#include "solve/engine/solver.h"

#include "solve/engine/cdcl_search.h"
#include "solve/engine/line_state.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <string>

namespace zumeli::solver {

const char* verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::NoSolution:
        return "none";
    case Verdict::Unique:
        return "unique";
    case Verdict::Multiple:
        return "multiple";
    case Verdict::Stopped:
        break;
    }
    return "timeout";
}

SolveResult solve(const Puzzle& puzzle, const SolveOptions& options)
{
    const auto start = Clock::now();
    if (static_cast<long>(puzzle.width()) * puzzle.height() > kMaxSolverCells)
        throw std::invalid_argument("puzzle of " + std::to_string(puzzle.width()) + " x "
                                    + std::to_string(puzzle.height()) + " cells is too large to solve");
    LineState state(positiveRuns(puzzle.rows), positiveRuns(puzzle.columns));
    RunLimits limits(options, start);
    SolveResult result;
    result.lineGrid = CellGrid(puzzle.width(), puzzle.height());
    auto finish = [&](Verdict verdict) {
        result.verdict = verdict;
        result.stopReason = limits.reason();
        result.stats.lineSolves = state.lineSolves();
        result.elapsedMs = millisecondsSince(start);
        return result;
    };
    if (state.anyLineOverfull()) {
        result.lineSolvable = true;
        return finish(Verdict::NoSolution);
    }
    if (limits.checkNow())
        return finish(Verdict::Stopped);
    state.enqueueAll();
    const bool consistent = propagateLines(state, limits);
    if (limits.stopped())
        return finish(Verdict::Stopped);
    if (!consistent) {
        result.lineSolvable = true;
        return finish(Verdict::NoSolution);
    }
    result.lineGrid = state.grid();
    if (state.unknownCount() == 0) {
        result.lineSolvable = true;
        result.solutions.push_back(result.lineGrid);
        return finish(Verdict::Unique);
    }
    if (state.totalsDiffer())
        return finish(Verdict::NoSolution);
    const CellGrid* known = options.knownSolution && satisfiesClues(puzzle, *options.knownSolution)
        ? options.knownSolution
        : nullptr;
    const std::vector<std::vector<int>> parts = independentParts(state);
    if (parts.size() == 1) {
        SearchScope scope;
        scope.firstSolution = known;
        ConflictSearchResult found = conflictSearch(state, options, limits, scope);
        result.stats.nodes = found.decisions;
        result.stats.conflicts = found.conflicts;
        result.solutions = std::move(found.solutions);
        return finish(found.verdict);
    }
    // Each part is decided on its own, smallest first: the clues have no solution when one
    // part has none, several when one part has several (and every other part one at least).
    // Once a part has several, the others only need one.
    CellGrid first = result.lineGrid;
    CellGrid second;
    for (const std::vector<int>& part : parts) {
        SearchScope scope;
        scope.cells = &part;
        scope.solutionsWanted = second.cells.empty() ? 2 : 1;
        scope.firstSolution = known;
        if (known && scope.solutionsWanted == 1) {
            for (const int v : part)
                first.cells[v] = known->cells[v];
            continue;
        }
        SolveOptions partOptions = options; // the node limit is shared by all parts
        if (options.nodeLimit > 0) {
            if (result.stats.nodes >= options.nodeLimit) {
                limits.stop(StopReason::NodeLimit);
                return finish(Verdict::Stopped);
            }
            partOptions.nodeLimit = options.nodeLimit - result.stats.nodes;
        }
        ConflictSearchResult found = conflictSearch(state, partOptions, limits, scope);
        result.stats.nodes += found.decisions;
        result.stats.conflicts += found.conflicts;
        for (const int v : part)
            if (state.cell(v) != Cell::Unknown)
                state.unset(v, state.cell(v) == Cell::Filled);
        state.clearQueue();
        if (found.verdict == Verdict::Stopped)
            return finish(Verdict::Stopped);
        if (found.solutions.empty())
            return finish(Verdict::NoSolution);
        for (const int v : part)
            first.cells[v] = found.solutions[0].cells[v];
        if (found.solutions.size() >= 2) {
            second = result.lineGrid;
            for (const int v : part)
                second.cells[v] = found.solutions[1].cells[v];
        }
    }
    result.solutions.push_back(first);
    if (second.cells.empty())
        return finish(Verdict::Unique);
    // The other parts as in the first solution.
    for (std::size_t v = 0; v < second.cells.size(); ++v)
        if (second.cells[v] == Cell::Unknown)
            second.cells[v] = first.cells[v];
    result.solutions.push_back(second);
    return finish(Verdict::Multiple);
}

} // namespace zumeli::solver
