// A slow, plain reference solver the tests hold the engine against: line logic and backtracking.
#include "support/reference_solver.h"

#include <algorithm>
#include <cstddef>
#include <deque>

namespace zumeli::test {

using solver::Cell;
using solver::CellGrid;
using solver::Puzzle;
using solver::Verdict;

namespace {

// The clue as a chain of states a line passes through cell by cell: the empty stretch before
// the first run, each cell of each run, and the gap after each run (which the next run or the
// end of the line follows). Every state has at most one next state per cell value.
struct ClueStates {
    std::vector<int> onEmpty;  // next state after an empty cell, -1 when not allowed
    std::vector<int> onFilled; // next state after a filled cell, -1 when not allowed
    std::vector<char> accepting;

    explicit ClueStates(const std::vector<int>& runs)
    {
        auto add = [this] {
            onEmpty.push_back(-1);
            onFilled.push_back(-1);
            accepting.push_back(0);
            return static_cast<int>(onEmpty.size()) - 1;
        };
        int gap = add(); // before the first run: any number of empty cells
        onEmpty[gap] = gap;
        int lastCell = -1;
        for (const int length : runs) {
            int previous = gap;
            for (int t = 0; t < length; ++t) {
                const int cell = add();
                onFilled[previous] = cell;
                previous = cell;
            }
            lastCell = previous;
            gap = add(); // at least one empty cell after the run, then any number
            onEmpty[lastCell] = gap;
            onEmpty[gap] = gap;
        }
        accepting[gap] = 1;
        if (lastCell >= 0)
            accepting[lastCell] = 1;
    }

    int size() const { return static_cast<int>(onEmpty.size()); }
};

std::vector<Cell> lineOf(const CellGrid& grid, int line)
{
    std::vector<Cell> cells;
    if (line < grid.height) {
        for (int x = 0; x < grid.width; ++x)
            cells.push_back(grid.at(x, line));
    } else {
        for (int y = 0; y < grid.height; ++y)
            cells.push_back(grid.at(line - grid.height, y));
    }
    return cells;
}

std::vector<int> withoutZeros(const std::vector<int>& runs)
{
    std::vector<int> out;
    for (const int r : runs)
        if (r != 0)
            out.push_back(r);
    return out;
}

struct Search {
    std::vector<std::vector<int>> lines; // rows then columns, zeros dropped
    std::uint64_t nodeLimit = 0;
    std::uint64_t nodes = 0;
    bool stopped = false;
    std::vector<CellGrid> solutions;

    // Solves the queued lines (and the lines crossing any cell they change) until none changes.
    bool propagate(CellGrid& grid, const std::vector<int>& start) const
    {
        std::deque<int> queue(start.begin(), start.end());
        std::vector<char> queued(lines.size(), 0);
        for (const int l : queue)
            queued[l] = 1;
        while (!queue.empty()) {
            const int line = queue.front();
            queue.pop_front();
            queued[line] = 0;
            std::vector<Cell> cells = lineOf(grid, line);
            const std::vector<Cell> before = cells;
            if (!referenceSolveLine(lines[line], cells))
                return false;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                if (cells[i] == before[i])
                    continue;
                const int index = static_cast<int>(i);
                const bool isRow = line < grid.height;
                const int x = isRow ? index : line - grid.height;
                const int y = isRow ? line : index;
                grid.at(x, y) = cells[i];
                const int crossing = isRow ? grid.height + x : y;
                if (!queued[crossing]) {
                    queued[crossing] = 1;
                    queue.push_back(crossing);
                }
            }
        }
        return true;
    }

    void branch(const CellGrid& grid, int cell, Cell value)
    {
        CellGrid next = grid;
        next.cells[cell] = value;
        const int x = cell % grid.width;
        const int y = cell / grid.width;
        if (propagate(next, {y, grid.height + x}))
            explore(next);
    }

    void explore(const CellGrid& grid)
    {
        if (nodeLimit > 0 && nodes >= nodeLimit) {
            stopped = true;
            return;
        }
        ++nodes;
        const auto open = std::find(grid.cells.begin(), grid.cells.end(), Cell::Unknown);
        if (open == grid.cells.end()) {
            solutions.push_back(grid);
            return;
        }
        const int cell = static_cast<int>(open - grid.cells.begin());
        for (const Cell value : {Cell::Filled, Cell::Empty}) {
            branch(grid, cell, value);
            if (stopped || solutions.size() >= 2)
                return;
        }
    }
};

Search searchFor(const Puzzle& puzzle)
{
    Search search;
    for (const auto& runs : puzzle.rows)
        search.lines.push_back(withoutZeros(runs));
    for (const auto& runs : puzzle.columns)
        search.lines.push_back(withoutZeros(runs));
    return search;
}

} // namespace

bool referenceSolveLine(const std::vector<int>& runs, std::vector<Cell>& line)
{
    const ClueStates states(runs);
    const int n = static_cast<int>(line.size());
    const int s = states.size();
    auto allows = [&](int i, bool filled) {
        return line[i] == Cell::Unknown || (line[i] == Cell::Filled) == filled;
    };
    // reached[i * s + q]: some agreeing start of the line ends in state q after cells [0, i).
    // finishes[i * s + q]: from state q, cells [i, n) can agree and end in an accepting state.
    const std::size_t stride = static_cast<std::size_t>(s);
    std::vector<char> reached((n + 1) * stride, 0);
    std::vector<char> finishes((n + 1) * stride, 0);
    auto at = [stride](std::vector<char>& table, int i, int q) -> char& { return table[i * stride + q]; };
    at(reached, 0, 0) = 1;
    for (int i = 0; i < n; ++i)
        for (int q = 0; q < s; ++q) {
            if (!at(reached, i, q))
                continue;
            if (allows(i, false) && states.onEmpty[q] >= 0)
                at(reached, i + 1, states.onEmpty[q]) = 1;
            if (allows(i, true) && states.onFilled[q] >= 0)
                at(reached, i + 1, states.onFilled[q]) = 1;
        }
    for (int q = 0; q < s; ++q)
        at(finishes, n, q) = states.accepting[q];
    for (int i = n - 1; i >= 0; --i)
        for (int q = 0; q < s; ++q) {
            const int e = states.onEmpty[q];
            const int f = states.onFilled[q];
            at(finishes, i, q) = (allows(i, false) && e >= 0 && at(finishes, i + 1, e))
                || (allows(i, true) && f >= 0 && at(finishes, i + 1, f));
        }
    if (!at(finishes, 0, 0))
        return false;
    std::vector<Cell> result(line);
    for (int i = 0; i < n; ++i) {
        bool canEmpty = false;
        bool canFill = false;
        for (int q = 0; q < s; ++q) {
            if (!at(reached, i, q))
                continue;
            const int e = states.onEmpty[q];
            const int f = states.onFilled[q];
            canEmpty = canEmpty || (allows(i, false) && e >= 0 && at(finishes, i + 1, e));
            canFill = canFill || (allows(i, true) && f >= 0 && at(finishes, i + 1, f));
        }
        result[i] = canEmpty && canFill ? Cell::Unknown : canFill ? Cell::Filled : Cell::Empty;
    }
    line.swap(result);
    return true;
}

bool referenceLineLogic(const Puzzle& puzzle, CellGrid& grid)
{
    const Search search = searchFor(puzzle);
    std::vector<int> all(search.lines.size());
    for (std::size_t l = 0; l < all.size(); ++l)
        all[l] = static_cast<int>(l);
    return search.propagate(grid, all);
}

ReferenceResult referenceSolve(const Puzzle& puzzle, std::uint64_t nodeLimit)
{
    ReferenceResult result;
    result.lineGrid = CellGrid(puzzle.width(), puzzle.height());
    CellGrid grid(puzzle.width(), puzzle.height());
    if (!referenceLineLogic(puzzle, grid)) {
        result.verdict = Verdict::NoSolution;
        result.lineSolvable = true;
        return result;
    }
    result.lineGrid = grid;
    result.lineSolvable = std::find(grid.cells.begin(), grid.cells.end(), Cell::Unknown) == grid.cells.end();
    Search search = searchFor(puzzle);
    search.nodeLimit = nodeLimit;
    search.explore(grid);
    result.nodes = search.nodes;
    result.solutions = search.solutions;
    result.verdict = search.stopped ? Verdict::Stopped
        : search.solutions.empty()  ? Verdict::NoSolution
        : search.solutions.size() == 1 ? Verdict::Unique
                                       : Verdict::Multiple;
    return result;
}

} // namespace zumeli::test
