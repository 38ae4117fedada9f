// The puzzle solver: line propagation to a fixed point, then the learning search.
#include "solve/engine/solver.h"

#include "solve/engine/cdcl_search.h"
#include "solve/engine/line_state.h"
#include "solve/engine/probing.h"
#include "solve/engine/simple_lines.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace zumeli::solver {

namespace {

// Ambiguous pictures mostly have local alternatives: a few cells that can change without
// touching anything farther away. So when the search for a second solution drags on,
// windows of kWindow x kWindow cells (overlapping by half) are tried over the open cells: all
// cells outside the window keep the first solution's values, and a small search tells
// whether the cells inside have another arrangement. One that has gives a second
// solution of the whole puzzle; none finding one proves nothing.
constexpr int kWindow = 10;
constexpr std::uint64_t kWindowNodes = 1000;
// Below this many open cells the search alone is quick enough.
constexpr int kLeastOpenCells = 6 * kWindow * kWindow;

// The smallest rectangle holding every open cell: columns left..right, rows top..bottom.
struct OpenBounds {
    int left = 0;
    int right = -1;
    int top = 0;
    int bottom = -1;
};

OpenBounds boundsOfOpen(const std::vector<std::uint8_t>& open, int width, int height)
{
    OpenBounds bounds{width, -1, height, -1};
    for (int v = 0; v < static_cast<int>(open.size()); ++v) {
        if (!open[v])
            continue;
        bounds.left = std::min(bounds.left, v % width);
        bounds.right = std::max(bounds.right, v % width);
        bounds.top = std::min(bounds.top, v / width);
        bounds.bottom = std::max(bounds.bottom, v / width);
    }
    return bounds;
}

// The window at (x0, y0): every cell outside it (or not open) as in `first`, the open ones
// inside searched for an arrangement of their own. A second solution, or nothing.
std::optional<CellGrid> secondInWindow(int x0, int y0, const std::vector<std::vector<int>>& rows,
                                       const std::vector<std::vector<int>>& columns, const CellGrid& first,
                                       const std::vector<std::uint8_t>& open, const SolveOptions& windowOptions,
                                       ConflictSearchResult& work)
{
    LineState window(rows, columns);
    std::vector<int> windowCells;
    const int width = window.width();
    for (int v = 0; v < window.cellCount(); ++v) {
        const int x = v % width;
        const int y = v / width;
        const bool inside = x >= x0 && x < x0 + kWindow && y >= y0 && y < y0 + kWindow;
        if (inside && open[v])
            windowCells.push_back(v);
        else if (first.cells[v] != Cell::Unknown)
            window.set(v, first.cells[v] == Cell::Filled);
    }
    if (windowCells.empty())
        return std::nullopt;
    for (const int v : windowCells) {
        window.enqueue(window.rowLine(v));
        window.enqueue(window.columnLine(v));
    }
    RunLimits windowLimits(windowOptions, Clock::now());
    if (!propagateLines(window, windowLimits))
        return std::nullopt;
    std::erase_if(windowCells, [&](int v) { return window.cell(v) != Cell::Unknown; });
    if (windowCells.empty())
        return std::nullopt;
    SearchScope local;
    local.cells = &windowCells;
    local.firstSolution = &first;
    ConflictSearchResult found = conflictSearch(window, windowOptions, windowLimits, local);
    work.decisions += found.decisions;
    work.conflicts += found.conflicts;
    if (found.verdict == Verdict::Multiple)
        return std::move(found.solutions[1]);
    return std::nullopt;
}

// The solver's near search (SearchScope::nearSecond): the windows over the open cells, row
// of windows by row of windows.
std::optional<CellGrid> secondInWindows(const LineState& lines, const CellGrid& first,
                                        const std::vector<std::uint8_t>& open, const SolveOptions& options,
                                        RunLimits& limits, ConflictSearchResult& work)
{
    if (std::count(open.begin(), open.end(), 1) < kLeastOpenCells)
        return std::nullopt;
    const OpenBounds bounds = boundsOfOpen(open, lines.width(), lines.height());
    std::vector<std::vector<int>> rows;
    std::vector<std::vector<int>> columns;
    for (int l = 0; l < lines.lineCount(); ++l)
        (l < lines.height() ? rows : columns).push_back(lines.runs(l));
    SolveOptions windowOptions;
    windowOptions.cancel = options.cancel;
    windowOptions.nodeLimit = kWindowNodes;
    for (int y0 = bounds.top; y0 <= bounds.bottom; y0 += kWindow / 2) {
        for (int x0 = bounds.left; x0 <= bounds.right; x0 += kWindow / 2) {
            if (limits.checkNow())
                return std::nullopt;
            if (std::optional<CellGrid> second =
                    secondInWindow(x0, y0, rows, columns, first, open, windowOptions, work))
                return second;
        }
    }
    return std::nullopt;
}

} // namespace

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

// One solve's result in the making: the verdict and the stop reason, the line solves and the
// time are filled in when it is finished.
struct SolveRun {
    const Clock::time_point start;
    LineState& state;
    RunLimits& limits;
    SolveResult result;

    SolveResult finish(Verdict verdict)
    {
        result.verdict = verdict;
        result.stopReason = limits.reason();
        result.stats.lineSolves = state.lineSolves();
        result.elapsedMs = millisecondsSince(start);
        return result;
    }
};

// Each part is decided on its own, smallest first: the clues have no solution when one
// part has none, several when one part has several (and every other part one at least).
// Once a part has several, the others only need one.
SolveResult solveParts(SolveRun& run, const std::vector<std::vector<int>>& parts, const CellGrid* known,
                       const SolveOptions& options)
{
    SolveResult& result = run.result;
    LineState& state = run.state;
    const CellGrid root = state.grid(); // what line logic (and probing) decided
    CellGrid first = root;
    CellGrid second;
    for (const std::vector<int>& part : parts) {
        SearchScope scope;
        scope.cells = &part;
        scope.solutionsWanted = second.cells.empty() ? 2 : 1;
        scope.firstSolution = known;
        scope.nearSecond = &secondInWindows;
        if (known && scope.solutionsWanted == 1) {
            for (const int v : part)
                first.cells[v] = known->cells[v];
            continue;
        }
        SolveOptions partOptions = options; // the node limit is shared by all parts
        if (options.nodeLimit > 0) {
            if (result.stats.nodes >= options.nodeLimit) {
                run.limits.stop(StopReason::NodeLimit);
                return run.finish(Verdict::Stopped);
            }
            partOptions.nodeLimit = options.nodeLimit - result.stats.nodes;
        }
        ConflictSearchResult found = conflictSearch(state, partOptions, run.limits, scope);
        result.stats.nodes += found.decisions;
        result.stats.conflicts += found.conflicts;
        for (const int v : part)
            if (state.cell(v) != Cell::Unknown)
                state.unset(v, state.cell(v) == Cell::Filled);
        state.clearQueue();
        if (found.verdict == Verdict::Stopped)
            return run.finish(Verdict::Stopped);
        if (found.solutions.empty())
            return run.finish(Verdict::NoSolution);
        for (const int v : part)
            first.cells[v] = found.solutions[0].cells[v];
        if (found.solutions.size() >= 2) {
            second = root;
            for (const int v : part)
                second.cells[v] = found.solutions[1].cells[v];
        }
    }
    result.solutions.push_back(first);
    if (second.cells.empty())
        return run.finish(Verdict::Unique);
    // The other parts as in the first solution.
    for (std::size_t v = 0; v < second.cells.size(); ++v)
        if (second.cells[v] == Cell::Unknown)
            second.cells[v] = first.cells[v];
    result.solutions.push_back(second);
    return run.finish(Verdict::Multiple);
}

// The search after line logic left cells open: in one go, or part by part.
SolveResult search(SolveRun& run, const CellGrid* known, const SolveOptions& options)
{
    const std::vector<std::vector<int>> parts = independentParts(run.state);
    if (parts.size() != 1)
        return solveParts(run, parts, known, options);
    SearchScope scope;
    scope.firstSolution = known;
    scope.nearSecond = &secondInWindows;
    ConflictSearchResult found = conflictSearch(run.state, options, run.limits, scope);
    run.result.stats.nodes = found.decisions;
    run.result.stats.conflicts = found.conflicts;
    run.result.solutions = std::move(found.solutions);
    return run.finish(found.verdict);
}

// Whether every cell of `line` is known.
bool lineKnown(const LineState& state, int line)
{
    const int n = state.length(line);
    for (int w = 0; w < wordsForLength(n); ++w) {
        const Word all = n - w * 64 >= 64 ? ~Word(0) : (Word(1) << (n - w * 64)) - 1;
        if ((state.filled(line)[w] | state.empty(line)[w]) != all)
            return false;
    }
    return true;
}

// Full line logic from where the simple rules stopped: a line they completed is checked
// against its runs (the line solver would find nothing more in it), the others are solved
// to the fixed point. False on a contradiction or a stop.
bool fullLinesAfterSimple(LineState& state, RunLimits& limits)
{
    for (int l = 0; l < state.lineCount(); ++l) {
        if (!lineKnown(state, l))
            state.enqueue(l);
        else if (!lineMatchesRuns(state, l)) {
            state.clearQueue();
            return false;
        }
    }
    return propagateLines(state, limits);
}

// Line logic at the root. When the grade is wanted, the simple line rules go to their fixed
// point first and full line logic goes on from there: what the simple rules decide is implied
// by line logic, so the fixed point and lineGrid are those of line logic alone, but on large
// pictures the simple rules do most of the work for a fraction of the cost, and when they
// fill the picture they tell its grade. (On small pictures and on the many solves of
// make-unique they cost a little more than they spare, so the others run line logic alone.)
// The verdict when line logic decides it (or the limits stop the run), nothing when it
// leaves cells open.
std::optional<SolveResult> rootLineLogic(SolveRun& run, bool simpleFirst)
{
    LineState& state = run.state;
    SolveResult& result = run.result;
    bool consistent = true;
    if (simpleFirst) {
        consistent = propagateSimpleLines(state, run.limits);
    } else {
        state.enqueueAll();
    }
    const bool simpleFilled = simpleFirst && consistent && state.unknownCount() == 0;
    if (!consistent || !(simpleFirst ? fullLinesAfterSimple(state, run.limits) : propagateLines(state, run.limits))) {
        if (run.limits.stopped())
            return run.finish(Verdict::Stopped);
        result.lineSolvable = true;
        return run.finish(Verdict::NoSolution);
    }
    result.lineGrid = state.grid();
    if (state.unknownCount() > 0)
        return std::nullopt;
    result.lineSolvable = true;
    if (simpleFirst)
        result.difficulty = simpleFilled ? 1 : 2; // simple-lines, lines
    result.solutions.push_back(result.lineGrid);
    return run.finish(Verdict::Unique);
}

// Probing at the root, for the grade: a verdict when it decides one (every cell forced, or a
// cell that contradicts both ways), nothing when it leaves cells open for the search (then
// `finished` says whether it reached its fixed point or gave up).
// It gives up after as many probes in a row without a decided cell as a quarter of the open
// cells: clues with several solutions need no grade, and on those with many open cells
// probing to the end cost more than the search itself (a 59 x 50 puzzle with 2918 open cells
// took 76 % more instructions). A unique verdict is then graded after the search.
std::optional<SolveResult> rootProbing(SolveRun& run, const CellGrid* known, bool& finished, CellGrid& probedGrid)
{
    const long patience = std::max(256L, run.state.unknownCount() / 4);
    finished = false;
    switch (probeToFixedPoint(run.state, run.limits, known, patience)) {
    case ProbeOutcome::Stopped:
        return run.finish(Verdict::Stopped);
    case ProbeOutcome::Contradiction:
        return run.finish(Verdict::NoSolution);
    case ProbeOutcome::Filled:
        run.result.difficulty = 3; // probing
        run.result.solutions.push_back(run.state.grid());
        return run.finish(Verdict::Unique);
    case ProbeOutcome::Open:
        finished = true;
        break;
    case ProbeOutcome::GaveUp:
        probedGrid = run.state.grid();
        break;
    }
    return std::nullopt;
}

// The grade of a unique verdict whose probing gave up before the search: probing on from the
// cells it had decided (`probedGrid`) to its fixed point, trying only the value against the
// solution. Stays 0 when the limits stop it; the verdict stands either way.
void gradeAfterSearch(const Puzzle& puzzle, const CellGrid& probedGrid, SolveResult& unique, RunLimits& limits,
                      Clock::time_point start)
{
    const ProbeOutcome outcome = probeFromLineGrid(puzzle, probedGrid, limits, &unique.solutions.front());
    if (outcome == ProbeOutcome::Filled || outcome == ProbeOutcome::Open)
        unique.difficulty = outcome == ProbeOutcome::Filled ? 3 : 4; // probing, search
    unique.elapsedMs = millisecondsSince(start);
}

} // namespace

SolveResult solve(const Puzzle& puzzle, const SolveOptions& options)
{
    const auto start = Clock::now();
    if (static_cast<long>(puzzle.width()) * puzzle.height() > kMaxSolverCells)
        throw std::invalid_argument("puzzle of " + std::to_string(puzzle.width()) + " x "
                                    + std::to_string(puzzle.height()) + " cells is too large to solve");
    LineState state(positiveRuns(puzzle.rows), positiveRuns(puzzle.columns));
    RunLimits limits(options, start);
    SolveRun run{start, state, limits, {}};
    SolveResult& result = run.result;
    result.lineGrid = CellGrid(puzzle.width(), puzzle.height());
    if (state.anyLineOverfull()) {
        result.lineSolvable = true;
        return run.finish(Verdict::NoSolution);
    }
    if (limits.checkNow())
        return run.finish(Verdict::Stopped);
    if (std::optional<SolveResult> decided = rootLineLogic(run, options.learnDifficulty))
        return std::move(*decided);
    if (state.totalsDiffer())
        return run.finish(Verdict::NoSolution);
    const CellGrid* known = options.knownSolution && satisfiesClues(puzzle, *options.knownSolution)
        ? options.knownSolution
        : nullptr;
    // Probing first spares the search altogether when it fills the picture and starts it
    // with fewer open cells otherwise; it is wasted on clues with several solutions, whose
    // verdict needs no grade (on the random 25 x 25 tournament puzzles it costs about what
    // it spares the search).
    bool probed = false;
    CellGrid probedGrid;
    if (options.learnDifficulty) {
        if (std::optional<SolveResult> decided = rootProbing(run, known, probed, probedGrid))
            return std::move(*decided);
    }
    SolveResult searched = search(run, known, options);
    if (options.learnDifficulty && searched.verdict == Verdict::Unique) {
        if (probed)
            searched.difficulty = 4; // search: probing left cells open
        else
            gradeAfterSearch(puzzle, probedGrid, searched, limits, start);
    }
    return searched;
}

} // namespace zumeli::solver
