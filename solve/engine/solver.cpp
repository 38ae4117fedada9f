// The puzzle solver: line propagation to a fixed point, then the learning search.
#include "solve/engine/solver.h"

#include "solve/engine/cdcl_search.h"
#include "solve/engine/line_state.h"

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

namespace {

// Clue lists with zeros dropped; throws for a negative run length.
std::vector<std::vector<int>> cleanRuns(const std::vector<std::vector<int>>& lines)
{
    std::vector<std::vector<int>> out;
    out.reserve(lines.size());
    for (const auto& line : lines) {
        std::vector<int> runs;
        for (const int r : line) {
            if (r < 0)
                throw std::invalid_argument("negative run length " + std::to_string(r));
            if (r > 0)
                runs.push_back(r);
        }
        out.push_back(std::move(runs));
    }
    return out;
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

SolveResult solve(const Puzzle& puzzle, const SolveOptions& options)
{
    const auto start = Clock::now();
    if (static_cast<long>(puzzle.width()) * puzzle.height() > kMaxSolverCells)
        throw std::invalid_argument("puzzle of " + std::to_string(puzzle.width()) + " x "
                                    + std::to_string(puzzle.height()) + " cells is too large to solve");
    LineState state(cleanRuns(puzzle.rows), cleanRuns(puzzle.columns));
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
    ConflictSearchResult found = conflictSearch(state, options, limits);
    result.stats.nodes = found.decisions;
    result.stats.conflicts = found.conflicts;
    result.solutions = std::move(found.solutions);
    return finish(found.verdict);
}

} // namespace zumeli::solver
