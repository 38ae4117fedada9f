// Grading a unique puzzle by the weakest reasoning that solves it (see difficulty.h).
#include "solve/engine/difficulty.h"

#include "solve/engine/line_state.h"

#include <algorithm>
#include <stdexcept>

namespace zumeli::solver {

namespace {

constexpr Difficulty kGrades[] = {
    {1, "simple-lines"},
    {2, "lines"},
    {3, "probing"},
    {4, "search"},
};

// The earliest start of every run among the placements that agree with `line`, or nothing.
std::optional<std::vector<int>> leftmostStarts(const std::vector<int>& runs, const std::vector<Cell>& line)
{
    const int n = static_cast<int>(line.size());
    const int k = static_cast<int>(runs.size());
    // emptyBefore[i]: known empty cells among the first i; filledAfter[i]: whether a known
    // filled cell lies at i or later.
    std::vector<int> emptyBefore(static_cast<std::size_t>(n) + 1, 0);
    for (int i = 0; i < n; ++i)
        emptyBefore[i + 1] = emptyBefore[i] + (line[i] == Cell::Empty ? 1 : 0);
    std::vector<char> filledAfter(static_cast<std::size_t>(n) + 2, 0);
    for (int i = n - 1; i >= 0; --i)
        filledAfter[i] = filledAfter[i + 1] || line[i] == Cell::Filled;
    // Run j fits at s: its cells may be filled and the cell after it may be empty.
    auto fits = [&](int j, int s) {
        const int e = s + runs[j];
        return e <= n && emptyBefore[e] == emptyBefore[s] && (e == n || line[e] != Cell::Filled);
    };
    // rest[j * (n + 2) + i]: runs j.. can be placed in cells i.. (i up to n + 1).
    const std::size_t stride = static_cast<std::size_t>(n) + 2;
    std::vector<char> rest((static_cast<std::size_t>(k) + 1) * stride, 0);
    for (int i = 0; i <= n + 1; ++i)
        rest[k * stride + i] = !filledAfter[std::min(i, n + 1)];
    for (int j = k - 1; j >= 0; --j)
        for (int i = n; i >= 0; --i) {
            bool ok = i < n && line[i] != Cell::Filled && rest[j * stride + i + 1];
            if (!ok && fits(j, i))
                ok = rest[(j + 1) * stride + std::min(i + runs[j] + 1, n + 1)];
            rest[j * stride + i] = ok;
        }
    if (!rest[0])
        return std::nullopt;
    std::vector<int> starts(static_cast<std::size_t>(k));
    int position = 0;
    for (int j = 0; j < k; ++j) {
        int s = position;
        while (!(fits(j, s) && rest[(j + 1) * stride + std::min(s + runs[j] + 1, n + 1)]))
            ++s; // cannot run past a filled cell: rest[] says a placement from here exists
        starts[j] = s;
        position = s + runs[j] + 1;
    }
    return starts;
}

} // namespace

const char* difficultyName(int grade)
{
    return grade >= 1 && grade <= 4 ? kGrades[grade - 1].name : "";
}

bool simpleLineRules(const std::vector<int>& runs, std::vector<Cell>& line)
{
    const int n = static_cast<int>(line.size());
    const int k = static_cast<int>(runs.size());
    const std::optional<std::vector<int>> left = leftmostStarts(runs, line);
    if (!left)
        return false;
    const std::vector<Cell> mirrored(line.rbegin(), line.rend());
    const std::vector<int> mirroredRuns(runs.rbegin(), runs.rend());
    const std::vector<int> fromRight = *leftmostStarts(mirroredRuns, mirrored);
    std::vector<int> right(static_cast<std::size_t>(k));
    for (int j = 0; j < k; ++j)
        right[j] = n - fromRight[k - 1 - j] - runs[j];
    std::vector<char> reached(static_cast<std::size_t>(n), 0);
    for (int j = 0; j < k; ++j) {
        for (int i = right[j]; i < (*left)[j] + runs[j]; ++i)
            line[i] = Cell::Filled;
        for (int i = (*left)[j]; i < right[j] + runs[j]; ++i)
            reached[i] = 1;
    }
    for (int i = 0; i < n; ++i)
        if (!reached[i])
            line[i] = Cell::Empty;
    return true;
}

namespace {

// The simple line rules over the whole grid until no line changes; whether they fill it.
bool simpleRulesSolve(const Puzzle& puzzle, RunLimits& limits)
{
    const std::vector<std::vector<int>> rows = positiveRuns(puzzle.rows);
    const std::vector<std::vector<int>> columns = positiveRuns(puzzle.columns);
    const int width = puzzle.width();
    const int height = puzzle.height();
    CellGrid grid(width, height);
    const int lines = width + height;
    std::vector<char> queued(static_cast<std::size_t>(lines), 1);
    std::vector<int> queue(static_cast<std::size_t>(lines));
    for (int l = 0; l < lines; ++l)
        queue[l] = l;
    std::vector<Cell> line;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int l = queue[head];
        queued[l] = 0;
        const bool isRow = l < height;
        const int index = isRow ? l : l - height;
        const int n = isRow ? width : height;
        if (limits.tick(static_cast<std::uint64_t>(n)))
            return false;
        line.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            line[i] = isRow ? grid.at(i, index) : grid.at(index, i);
        if (!simpleLineRules(isRow ? rows[index] : columns[index], line))
            return false;
        for (int i = 0; i < n; ++i) {
            Cell& cell = isRow ? grid.at(i, index) : grid.at(index, i);
            if (cell == line[i])
                continue;
            cell = line[i];
            const int crossing = isRow ? height + i : i;
            if (!queued[crossing]) {
                queued[crossing] = 1;
                queue.push_back(crossing);
            }
        }
    }
    return std::find(grid.cells.begin(), grid.cells.end(), Cell::Unknown) == grid.cells.end();
}

// Probing from what line logic decided: every open cell is set against the solution and line
// logic run; a contradiction decides the cell. Rounds repeat while any cell gets decided.
// Whether that fills the picture; nothing when the limits stop it.
std::optional<bool> probingSolves(const Puzzle& puzzle, const SolveResult& unique, RunLimits& limits)
{
    LineState state(positiveRuns(puzzle.rows), positiveRuns(puzzle.columns));
    const CellGrid& solution = unique.solutions.front();
    for (int c = 0; c < state.cellCount(); ++c)
        if (unique.lineGrid.cells[c] != Cell::Unknown)
            state.set(c, unique.lineGrid.cells[c] == Cell::Filled);
    std::vector<int> trail;
    bool progress = true;
    while (progress && state.unknownCount() > 0) {
        progress = false;
        for (int c = 0; c < state.cellCount(); ++c) {
            if (state.cell(c) != Cell::Unknown)
                continue;
            const bool filled = solution.cells[c] == Cell::Filled;
            // Setting the solution's value never contradicts, so only the other one is tried.
            trail.assign(1, c);
            state.set(c, !filled);
            state.enqueue(state.rowLine(c));
            state.enqueue(state.columnLine(c));
            const bool consistent = propagateLines(state, limits, &trail);
            if (limits.stopped())
                return std::nullopt;
            for (auto it = trail.rbegin(); it != trail.rend(); ++it)
                state.unset(*it, state.cell(*it) == Cell::Filled);
            if (consistent)
                continue;
            progress = true;
            state.set(c, filled);
            state.enqueue(state.rowLine(c));
            state.enqueue(state.columnLine(c));
            propagateLines(state, limits);
            if (limits.stopped())
                return std::nullopt;
        }
    }
    return state.unknownCount() == 0;
}

} // namespace

std::optional<Difficulty> gradeDifficulty(const Puzzle& puzzle, const SolveResult& unique, const SolveOptions& options)
{
    if (unique.verdict != Verdict::Unique || unique.solutions.empty())
        throw std::invalid_argument("only a puzzle with exactly one solution has a difficulty");
    RunLimits limits(options, Clock::now());
    if (limits.checkNow())
        return std::nullopt;
    if (unique.lineSolvable) {
        const bool simple = simpleRulesSolve(puzzle, limits);
        if (limits.stopped())
            return std::nullopt;
        return kGrades[simple ? 0 : 1];
    }
    const std::optional<bool> probed = probingSolves(puzzle, unique, limits);
    if (!probed)
        return std::nullopt;
    return kGrades[*probed ? 2 : 3];
}

} // namespace zumeli::solver
