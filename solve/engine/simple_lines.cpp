// The simple line rules: the extreme placements of a line's runs, kept between visits, and
// what they decide (overlap and reach), for one line and over a whole grid.
#include "solve/engine/simple_lines.h"

#include <algorithm>

namespace zumeli::solver {

namespace {

// The extreme placements of one line's runs. A run's leftmost start over all placements that
// agree with the known cells is where the greedy placement below puts it, and the rightmost is
// its mirror image. Both work from bounds: every start in `starts` must be no further right
// (for the leftmost; no further left for the rightmost) than in any agreeing placement, and
// is moved to the extreme one. Known cells only ever get added, so the extremes of one visit
// of a line are the bounds of the next, and a visit moves only the runs the new cells push.

bool bitAt(const Word* words, int i) { return (words[i >> 6] >> (i & 63)) & 1; }

// The smallest start from `s` on where a run of `len` lies on no known empty cell and is not
// followed by a known filled one; -1 when the run no longer fits before the end.
int fitRightwardFrom(int s, int len, int n, const Word* filled, const Word* empty)
{
    for (;;) {
        if (s + len > n)
            return -1;
        const int blocked = lastBit(empty, s, s + len, true);
        if (blocked >= s) {
            s = blocked + 1;
        } else if (s + len < n && bitAt(filled, s + len)) {
            s = nextBit(filled, s + len, n, false) - len; // the run must take in the filled stretch
        } else {
            return s;
        }
    }
}

// The mirror image: the largest start from `s` down where the run lies on no known empty
// cell and is not preceded by a known filled one; -1 when there is none.
int fitLeftwardFrom(int s, int len, const Word* filled, const Word* empty)
{
    for (;;) {
        if (s < 0)
            return -1;
        const int blocked = nextBit(empty, s, s + len, true);
        if (blocked < s + len) {
            s = blocked - len;
        } else if (s > 0 && bitAt(filled, s - 1)) {
            s = lastBit(filled, 0, s, false) + 1;
        } else {
            return s;
        }
    }
}

// The first of runs 0..k-1 for which `holds` is true, where it holds for every run after one
// it holds for; k when none.
template <typename Holds>
int firstRunWhere(int k, Holds&& holds)
{
    int low = 0;
    int high = k;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (holds(mid))
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

// Places the runs left to right, each at its first fit after the one before; a known filled
// cell left in the gap before run j (or after the last run) can only belong to an earlier run,
// so the run before the gap is moved to reach it and the placement goes on from there. The
// cells set in `fresh` are the ones new since `starts` was last the leftmost placement (all of
// them the first time): a run that nothing pushes and whose stretch (the gap before it, its
// cells and the cell after) holds no new cell keeps its place, so the placement skips ahead to
// the next run that sees one. Appends every run it moves to `moved`.
bool pushLeftmost(const int* runs, int k, int n, const Word* filled, const Word* empty, const Word* fresh,
                  int* starts, std::vector<int>& moved)
{
    if (k == 0)
        return nextBit(filled, 0, n, true) == n;
    // The first run whose stretch reaches cell `i`.
    const auto runReaching = [&](int i) { return firstRunWhere(k, [&](int run) { return starts[run] + runs[run] >= i; }); };
    const auto place = [&](int run, int s) {
        if (starts[run] != s) {
            starts[run] = s;
            moved.push_back(run);
        }
    };
    const int firstFresh = nextBit(fresh, 0, n, true);
    if (firstFresh == n)
        return true;
    int j = runReaching(firstFresh);
    int placed = j - 1; // the runs up to here may have moved in this push
    for (;;) {
        if (j == k) {
            const int end = starts[k - 1] + runs[k - 1];
            const int stray = lastBit(filled, end, n, true);
            if (stray < end)
                return true;
            j = k - 1;
            place(j, stray - runs[j] + 1);
        }
        const int from = j == 0 ? starts[0] : std::max(starts[j], starts[j - 1] + runs[j - 1] + 1);
        const int gapStart = j == 0 ? 0 : starts[j - 1] + runs[j - 1];
        if (j > placed && from == starts[j]) {
            // Its gap only shrank if the run before moved, so it still holds no filled cell.
            const int next = nextBit(fresh, gapStart, n, true);
            if (next > from + runs[j]) {
                if (next == n)
                    return true;
                j = runReaching(next);
                continue;
            }
        }
        const int s = fitRightwardFrom(from, runs[j], n, filled, empty);
        if (s < 0)
            return false;
        place(j, s);
        placed = std::max(placed, j);
        const int stray = lastBit(filled, gapStart, s, true);
        if (stray >= gapStart) {
            if (j == 0)
                return false;
            --j;
            place(j, stray - runs[j] + 1);
        } else {
            ++j;
        }
    }
}

// The mirror image of pushLeftmost, right to left (a run's stretch: the cell before it, its
// cells and the gap after it).
bool pushRightmost(const int* runs, int k, int n, const Word* filled, const Word* empty, const Word* fresh,
                   int* starts, std::vector<int>& moved)
{
    if (k == 0)
        return nextBit(filled, 0, n, true) == n;
    // The last run whose stretch reaches back to cell `i` (-1 when none).
    const auto runReaching = [&](int i) { return firstRunWhere(k, [&](int run) { return starts[run] - 1 > i; }) - 1; };
    const auto place = [&](int run, int s) {
        if (starts[run] != s) {
            starts[run] = s;
            moved.push_back(run);
        }
    };
    const int lastFresh = lastBit(fresh, 0, n, true);
    if (lastFresh < 0)
        return true;
    int j = runReaching(lastFresh);
    int placed = j + 1; // the runs from here on may have moved in this push
    for (;;) {
        if (j < 0) {
            const int stray = nextBit(filled, 0, starts[0], true);
            if (stray == starts[0])
                return true;
            j = 0;
            place(0, stray);
        }
        const int from = j == k - 1 ? starts[j] : std::min(starts[j], starts[j + 1] - runs[j] - 1);
        const int gapEnd = j == k - 1 ? n : starts[j + 1];
        if (j < placed && from == starts[j]) {
            const int previous = lastBit(fresh, 0, gapEnd, true);
            if (previous < from - 1) {
                if (previous < 0)
                    return true;
                j = runReaching(previous);
                continue;
            }
        }
        const int s = fitLeftwardFrom(from, runs[j], filled, empty);
        if (s < 0)
            return false;
        place(j, s);
        placed = std::min(placed, j);
        const int stray = nextBit(filled, s + runs[j], gapEnd, true);
        if (stray < gapEnd) {
            if (j == k - 1)
                return false;
            ++j;
            place(j, stray);
        } else {
            --j;
        }
    }
}

// The starts of the runs packed to the left and to the right of an empty line: the first
// bounds of both pushes.
void packedStarts(const int* runs, int k, int n, int* left, int* right)
{
    int at = 0;
    for (int j = 0; j < k; ++j) {
        left[j] = at;
        at += runs[j] + 1;
    }
    at = n + 1;
    for (int j = k - 1; j >= 0; --j) {
        at -= runs[j] + 1;
        right[j] = at;
    }
}

// Calls decide(from, to, isFilled) for the stretches of cells [from, to) the extreme placements
// decide around runs first..last: cells both give to the same run are filled, cells no run
// reaches in either are empty (known cells included). The gaps before each of these runs and
// after the last are taken (so first = 0, last = k - 1 takes the whole line, even without runs).
template <typename Decide>
void decideByExtremes(const int* runs, int k, int n, const int* left, const int* right, int first, int last,
                      Decide&& decide)
{
    for (int j = first; j <= last + 1 && j <= k; ++j) {
        const int reached = j == 0 ? 0 : right[j - 1] + runs[j - 1]; // the runs before j reach no further
        const int next = j == k ? n : left[j];
        if (next > reached)
            decide(reached, next, false);
        if (j <= last && right[j] < left[j] + runs[j])
            decide(right[j], left[j] + runs[j], true);
    }
}

// Every line's extreme placements (its runs' starts from firstRun[line] on, in `left` and
// `right`) and the mask of its cells that crossing lines decided since its last visit (its
// words from firstWord[line] on, in `fresh`), before any visit: the runs packed to either
// end, every cell new. (Packed runs bound every placement, whatever cells are known.)
struct LineExtremes {
    std::vector<std::size_t> firstRun;
    std::vector<std::size_t> firstWord;
    std::vector<int> left;
    std::vector<int> right;
    std::vector<Word> fresh;
    std::vector<char> visited;
    std::vector<int> moved;

    explicit LineExtremes(const LineState& state)
    {
        const int lines = state.lineCount();
        firstRun.assign(static_cast<std::size_t>(lines) + 1, 0);
        firstWord.assign(static_cast<std::size_t>(lines) + 1, 0);
        for (int l = 0; l < lines; ++l) {
            firstRun[l + 1] = firstRun[l] + state.runs(l).size();
            firstWord[l + 1] = firstWord[l] + static_cast<std::size_t>(wordsForLength(state.length(l)));
        }
        left.resize(firstRun[lines]);
        right.resize(firstRun[lines]);
        for (int l = 0; l < lines; ++l)
            packedStarts(state.runs(l).data(), static_cast<int>(state.runs(l).size()), state.length(l),
                         left.data() + firstRun[l], right.data() + firstRun[l]);
        fresh.assign(firstWord[lines], ~Word(0));
        visited.assign(static_cast<std::size_t>(lines), 0);
    }
};

// Records the cells of [from, to) on line `l` that are not known yet as filled or empty, and
// marks them new for the lines crossing them, queueing those.
void recordDecided(LineState& state, LineExtremes& extremes, int l, int from, int to, bool isFilled)
{
    const Word* filled = state.filled(l);
    const Word* empty = state.empty(l);
    const bool isRow = l < state.height();
    const int here = isRow ? l : l - state.height(); // this line's position in the crossing ones
    for (int w = from >> 6; w <= (to - 1) >> 6; ++w) {
        const int low = std::max(from - w * 64, 0);
        const int high = std::min(to - w * 64, 64);
        const Word span = (high == 64 ? ~Word(0) : (Word(1) << high) - 1) & ~((Word(1) << low) - 1);
        Word decided = span & ~(filled[w] | empty[w]);
        while (decided) {
            const int cell = state.cellAt(l, w * 64 + __builtin_ctzll(decided));
            decided &= decided - 1;
            state.set(cell, isFilled);
            const int crossing = isRow ? state.columnLine(cell) : state.rowLine(cell);
            extremes.fresh[extremes.firstWord[crossing] + static_cast<std::size_t>(here >> 6)] |= Word(1)
                << (here & 63);
            state.enqueue(crossing);
        }
    }
}

// One visit of line `l`: moves its extreme placements as the new cells push them and records
// the cells around the moved runs (the whole line on the first visit). False when no
// placement agrees with the known cells.
bool visitLine(LineState& state, LineExtremes& extremes, int l)
{
    const int n = state.length(l);
    const int* runs = state.runs(l).data();
    const int k = static_cast<int>(state.runs(l).size());
    Word* lineFresh = extremes.fresh.data() + extremes.firstWord[l];
    int* lineLeft = extremes.left.data() + extremes.firstRun[l];
    int* lineRight = extremes.right.data() + extremes.firstRun[l];
    std::vector<int>& moved = extremes.moved;
    moved.clear();
    if (!pushLeftmost(runs, k, n, state.filled(l), state.empty(l), lineFresh, lineLeft, moved)
        || !pushRightmost(runs, k, n, state.filled(l), state.empty(l), lineFresh, lineRight, moved))
        return false;
    std::fill(lineFresh, lineFresh + wordsForLength(n), Word(0));
    const auto decide = [&](int from, int to, bool isFilled) { recordDecided(state, extremes, l, from, to, isFilled); };
    if (!extremes.visited[l]) { // the first visit decides the whole line, moved or not
        extremes.visited[l] = 1;
        decideByExtremes(runs, k, n, lineLeft, lineRight, 0, k - 1, decide);
    } else if (!moved.empty()) {
        const auto [first, last] = std::minmax_element(moved.begin(), moved.end());
        decideByExtremes(runs, k, n, lineLeft, lineRight, *first, *last, decide);
    }
    return true;
}

} // namespace

bool simpleLineRules(const std::vector<int>& runs, std::vector<Cell>& line)
{
    const int n = static_cast<int>(line.size());
    const int k = static_cast<int>(runs.size());
    std::vector<Word> filled(static_cast<std::size_t>(wordsForLength(n)), 0);
    std::vector<Word> empty(filled.size(), 0);
    for (int i = 0; i < n; ++i) {
        if (line[i] == Cell::Filled)
            filled[i >> 6] |= Word(1) << (i & 63);
        else if (line[i] == Cell::Empty)
            empty[i >> 6] |= Word(1) << (i & 63);
    }
    std::vector<int> left(static_cast<std::size_t>(k));
    std::vector<int> right(static_cast<std::size_t>(k));
    packedStarts(runs.data(), k, n, left.data(), right.data());
    const std::vector<Word> fresh(filled.size(), ~Word(0)); // every cell counts as new
    std::vector<int> moved;
    if (!pushLeftmost(runs.data(), k, n, filled.data(), empty.data(), fresh.data(), left.data(), moved)
        || !pushRightmost(runs.data(), k, n, filled.data(), empty.data(), fresh.data(), right.data(), moved))
        return false;
    decideByExtremes(runs.data(), k, n, left.data(), right.data(), 0, k - 1, [&](int from, int to, bool isFilled) {
        std::fill(line.begin() + from, line.begin() + to, isFilled ? Cell::Filled : Cell::Empty);
    });
    return true;
}

// Each line keeps its extreme placements between visits (see pushLeftmost) and a mask of its
// cells that crossing lines decided since; a visit moves the runs those cells push and
// records, word by word, the cells around the moved runs that were not known yet, queueing
// the lines that cross them. (Deciding every line from scratch on every visit cost ten times
// the solve on large pictures.)
bool propagateSimpleLines(LineState& state, RunLimits& limits)
{
    LineExtremes extremes(state);
    state.enqueueAll();
    while (state.hasQueued()) {
        const int l = state.nextQueued();
        if (limits.tick(static_cast<std::uint64_t>(state.length(l))) || !visitLine(state, extremes, l)) {
            state.clearQueue();
            return false;
        }
    }
    return true;
}

bool lineMatchesRuns(const LineState& state, int line)
{
    const int n = state.length(line);
    const Word* filled = state.filled(line);
    int at = 0;
    for (const int run : state.runs(line)) {
        const int start = nextBit(filled, at, n, true);
        if (start + run > n || nextBit(filled, start, start + run, false) != start + run)
            return false;
        at = start + run;
        if (at < n && bitAt(filled, at))
            return false;
    }
    return nextBit(filled, at, n, true) == n;
}

} // namespace zumeli::solver
