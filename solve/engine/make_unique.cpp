// Making a picture's clues unique: greedy flips of single cells (or of the few open cells that
// finish a line), chosen by how much line logic gains from them and how little they show in
// the picture.
#include "solve/engine/make_unique.h"

#include "solve/engine/line_state.h"
#include "solve/engine/run_placement.h"
#include "solve/engine/split_mix.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace zumeli::solver {

namespace {

// Cells whose flip is tried in one round, before and after the first sample finds nothing.
constexpr int kSampleSize = 32;
constexpr int kWidenedSampleSize = 128;
constexpr int kShortSampleSize = 8;
// Flips one narrowing round may make at most (each on a row and a column of its own).
constexpr long kMostNarrowingFlips = 4;
// Moves that finish a line: at most this many flips each, and this many tried in a round,
// the fewest flips first.
constexpr int kMostFinishingFlips = 8;
constexpr int kFinishingSample = 24;
// Rounds in a row that find no flip worth making, after which the run gives up.
constexpr int kMaxStalledRounds = 2;
// Rounds of line-logic flips after a search ran out of nodes before the next search, unless
// line logic has decided a quarter of the open cells first.
constexpr int kRoundsBetweenSlowSearches = 8;
// All searches of one run together take at most this many times the node limit of one.
constexpr std::uint64_t kSearchBudgetInLimits = 6;

// A flip tried in a round: how many undecided cells line logic gains from it, and what it
// costs the picture.
struct Trial {
    int cell = -1;
    long gain = 0;
    int cost = 1;
    bool killsRival = false; // the other solution no longer fits the changed clues
};

// Added to a flip's cost when its gain is weighed against it: edge cells stay preferred, but
// not so strongly that many cheap flips of small gain crowd out one that decides much more
// (the number of flips is what makes a picture unrecognisable first).
constexpr long kCostOffset = 3;

// Whether trial a is preferred to b: more gain per cost, then the cheaper, then the lower cell.
bool better(const Trial& a, const Trial& b)
{
    if (a.killsRival != b.killsRival)
        return a.killsRival;
    const long lhs = a.gain * (b.cost + kCostOffset);
    const long rhs = b.gain * (a.cost + kCostOffset);
    if (lhs != rhs)
        return lhs > rhs;
    if (a.cost != b.cost)
        return a.cost < b.cost;
    return a.cell < b.cell;
}

// Whether trial a is preferred to b when the puzzle is to stay hard: the flip that rules the
// other solution out, then the one line logic gains least from, then the cheaper, then the
// lower cell.
bool fewerGained(const Trial& a, const Trial& b)
{
    if (a.killsRival != b.killsRival)
        return a.killsRival;
    if (a.gain != b.gain)
        return a.gain < b.gain;
    if (a.cost != b.cost)
        return a.cost < b.cost;
    return a.cell < b.cell;
}

class Repair {
public:
    // At most `mostFlips` cells are changed (fewer when the picture is small enough that a
    // tenth of its cells is less).
    Repair(const CellGrid& input, const MakeUniqueOptions& options, int mostFlips)
        : options_(options), limits_(SolveOptions{0, 0, options.cancel}, Clock::now()),
          width_(input.width), height_(input.height), picture_(input), mostFlips_(mostFlips)
    {
        for (Cell& c : picture_.cells)
            if (c != Cell::Filled)
                c = Cell::Empty;
        flipped_.assign(picture_.cells.size(), 0);
        rows_.resize(static_cast<std::size_t>(height_));
        columns_.resize(static_cast<std::size_t>(width_));
        clueIds_.resize(static_cast<std::size_t>(height_ + width_));
        clueUnnamed_.resize(static_cast<std::size_t>(height_ + width_));
        for (int y = 0; y < height_; ++y)
            deriveClue(y);
        for (int x = 0; x < width_; ++x)
            deriveClue(height_ + x);
    }

    MakeUniqueResult run(const CellGrid& input)
    {
        searchNodesLeft_ = static_cast<long long>(kSearchBudgetInLimits * options_.searchNodeLimit);
        unknown_ = propagate(&lineGrid_);
        initialUnknown_ = std::max(1L, unknown_);
        std::optional<SolveResult> searched = flipRounds();
        return outcome(input, std::move(searched));
    }

private:
    // What the next round does:
    //   LineLogicOnly   flips for line logic alone (the mode asks for it, or the searches
    //                   have used up their budget and stopped helping);
    //   LineGainFirst   flips line logic gains from, while they last, before the search runs
    //                   again (after a search that ran out of nodes: it is slow on these clues);
    //   Search          the search on the clues: done when unique, else a flip against the
    //                   second solution it found.
    enum class RoundKind { LineLogicOnly, LineGainFirst, Search };

    RoundKind nextRound() const
    {
        if (options_.lineSolvable || searchNodesLeft_ <= 0)
            return RoundKind::LineLogicOnly;
        if (unknown_ >= searchAgainBelow_ && roundsSinceSearch_ < kRoundsBetweenSlowSearches)
            return RoundKind::LineGainFirst;
        return RoundKind::Search;
    }

    // Rounds of flips until line logic decides everything, the search finds the clues unique,
    // the flips run out or rounds stop finding any. The search's result when it found them
    // unique.
    std::optional<SolveResult> flipRounds()
    {
        int stalled = 0;
        // Past a tenth of the cells (a few more on small pictures) the picture is no longer
        // the one drawn: give up.
        const int maxFlips = std::min(mostFlips_, std::max(24, static_cast<int>(picture_.cells.size() / 10)));
        int flips = 0;
        while (!limits_.stopped()) {
            report();
            if (unknown_ == 0)
                break;
            if (flips >= maxFlips || stalled >= kMaxStalledRounds)
                break;
            flipsLeft_ = maxFlips - flips;
            const int flipsBefore = flips;
            switch (nextRound()) {
            case RoundKind::LineLogicOnly:
                flips += lineRound(true);
                break;
            case RoundKind::LineGainFirst:
                flips += lineGainRound();
                continue; // a round that finds no gain hands over to the search, never stalls
            case RoundKind::Search: {
                SearchRound round = searchRound();
                if (round.ends)
                    return std::move(round.unique);
                flips += round.flips;
                break;
            }
            }
            stalled = flips > flipsBefore ? 0 : stalled + 1;
        }
        return std::nullopt;
    }

    // A line round without narrowing; one that gains nothing makes the search next.
    int lineGainRound()
    {
        const int made = lineRound(false);
        roundsSinceSearch_ = made > 0 ? roundsSinceSearch_ + 1 : kRoundsBetweenSlowSearches;
        return made;
    }

    // What a search round did: ended the run (cancelled, or the clues found unique: then the
    // search's result), or made some flips.
    struct SearchRound {
        bool ends = false;
        std::optional<SolveResult> unique;
        int flips = 0;
    };

    SearchRound searchRound()
    {
        roundsSinceSearch_ = 0;
        const SolveResult solved = solveClues(options_.searchNodeLimit);
        searchNodesLeft_ -= static_cast<long long>(solved.stats.nodes);
        if (solved.stopReason == StopReason::Cancelled) {
            limits_.stop(StopReason::Cancelled);
            return {true, std::nullopt, 0};
        }
        if (solved.verdict == Verdict::Unique)
            return {true, solved, 0};
        // A search that runs out of nodes is slow on these clues: line logic gains
        // ground first.
        searchAgainBelow_ = solved.stopReason == StopReason::NodeLimit ? unknown_ - unknown_ / 4
                                                                       : std::numeric_limits<long>::max();
        if (solved.verdict == Verdict::Multiple && solved.solutions.size() == 2) {
            const CellGrid& rival = solved.solutions[0] == picture_ ? solved.solutions[1] : solved.solutions[0];
            return {false, std::nullopt, rivalRound(rival)};
        }
        return {false, std::nullopt, lineRound(true)};
    }

    // The solver on the current picture's clues, with at most `nodeLimit` branches (0: no limit).
    SolveResult solveClues(std::uint64_t nodeLimit) const
    {
        Puzzle puzzle;
        puzzle.rows = rows_;
        puzzle.columns = columns_;
        SolveOptions solveOptions;
        solveOptions.nodeLimit = nodeLimit;
        solveOptions.cancel = options_.cancel;
        return solve(puzzle, solveOptions);
    }

    // The run's result: the changed picture and cells, and the solver's word on its clues.
    MakeUniqueResult outcome(const CellGrid& input, std::optional<SolveResult> searched)
    {
        MakeUniqueResult result;
        result.cancelled = limits_.reason() == StopReason::Cancelled;
        result.picture = picture_;
        for (std::size_t i = 0; i < picture_.cells.size(); ++i)
            if (picture_.cells[i] != (input.cells[i] == Cell::Filled ? Cell::Filled : Cell::Empty))
                result.changed.push_back(static_cast<int>(i));
        if (!result.cancelled) {
            // The final word is the solver's: its search has just found the clues unique, or
            // line logic settled every cell and the solver confirms it at once.
            if (!searched)
                searched = solveClues(unknown_ == 0 ? 0 : options_.searchNodeLimit);
            result.cancelled = searched->stopReason == StopReason::Cancelled;
            result.verdict = searched->verdict;
            result.lineSolvable = searched->lineSolvable && searched->verdict == Verdict::Unique;
            result.done = !result.cancelled && searched->verdict == Verdict::Unique
                && (result.lineSolvable || !options_.lineSolvable);
            if (result.done && options_.progress)
                options_.progress(1.0);
        }
        if (result.cancelled)
            result.verdict = Verdict::Stopped;
        return result;
    }

    // Line logic from the clues of the current picture to its fixed point: the number of cells
    // it leaves open, and those it decides in `grid` when asked. Trial after trial, all lines
    // but the flipped cell's row and column meet the states of the trial before: the cache
    // solves each state once.
    long propagate(CellGrid* grid)
    {
        nameClues();
        LineState state(rows_, columns_);
        state.enqueueAll();
        propagateLines(state, limits_, lineCache_, clueIds_);
        if (grid)
            *grid = state.grid();
        return state.unknownCount();
    }

    void flip(int cell)
    {
        Cell& c = picture_.cells[static_cast<std::size_t>(cell)];
        c = c == Cell::Filled ? Cell::Empty : Cell::Filled;
        flipped_[static_cast<std::size_t>(cell)] ^= 1;
        deriveClue(cell / width_);
        deriveClue(height_ + cell % width_);
    }

    // The clue of `line`: row y is line y, column x line height + x.
    std::vector<int>& clueOf(int line)
    {
        return line < height_ ? rows_[static_cast<std::size_t>(line)]
                              : columns_[static_cast<std::size_t>(line - height_)];
    }

    // The cells of `line`, and the cell at position i of it.
    int lineLength(int line) const { return line < height_ ? width_ : height_; }
    int cellAt(int line, int i) const { return cellOfLine(width_, height_, line, i); }

    // Derives the clue of `line` from the picture. Its number in the line cache is looked up
    // when line logic next runs (nameClues): most flips are undone before that.
    void deriveClue(int line)
    {
        if (line < height_)
            runsOfCells(picture_.cells, line * width_, width_, 1, clueOf(line));
        else
            runsOfCells(picture_.cells, line - height_, height_, width_, clueOf(line));
        if (!clueUnnamed_[static_cast<std::size_t>(line)]) {
            clueUnnamed_[static_cast<std::size_t>(line)] = 1;
            unnamedLines_.push_back(line);
        }
    }

    // Gives each line whose clue changed the number of its clue: the same clue always gets the
    // same number, so the cache knows it again.
    void nameClues()
    {
        for (const int line : unnamedLines_) {
            clueIds_[static_cast<std::size_t>(line)] =
                clueNames_.try_emplace(clueOf(line), clueNames_.size()).first->second;
            clueUnnamed_[static_cast<std::size_t>(line)] = 0;
        }
        unnamedLines_.clear();
    }

    // 1 + the neighbours (of eight; outside the picture counts as empty) that have the cell's
    // colour: a flip inside a large area shows, one on an edge hardly does.
    int cost(int cell) const
    {
        const int y = cell / width_;
        const int x = cell % width_;
        const Cell own = picture_.cells[static_cast<std::size_t>(cell)];
        int same = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                if (dx == 0 && dy == 0)
                    continue;
                const int nx = x + dx;
                const int ny = y + dy;
                const bool inside = nx >= 0 && ny >= 0 && nx < width_ && ny < height_;
                const Cell other = inside ? picture_.at(nx, ny) : Cell::Empty;
                same += other == own;
            }
        return 1 + same;
    }

    // The cells to try, cheapest first and spread over the picture (a hash of the cell and
    // the round breaks ties), never a cell flipped already.
    std::vector<int> ordered(std::vector<int> cells)
    {
        ++round_;
        std::erase_if(cells, [&](int c) { return flipped_[static_cast<std::size_t>(c)] != 0; });
        std::vector<std::pair<std::uint64_t, int>> keyed;
        keyed.reserve(cells.size());
        for (const int c : cells) {
            const std::uint64_t spread = mix64((round_ << 32) ^ static_cast<std::uint64_t>(c)) >> 8;
            keyed.emplace_back((static_cast<std::uint64_t>(cost(c)) << 56) | spread, c);
        }
        std::sort(keyed.begin(), keyed.end());
        for (std::size_t i = 0; i < keyed.size(); ++i)
            cells[i] = keyed[i].second;
        return cells;
    }

    Trial trial(int cell, const CellGrid* rival)
    {
        Trial t;
        t.cell = cell;
        t.cost = cost(cell);
        flip(cell);
        t.gain = unknown_ - propagate(nullptr);
        if (rival) {
            const int y = cell / width_;
            const int x = cell % width_;
            t.killsRival = runsOfCells(rival->cells, y * width_, width_, 1) != rows_[y]
                || runsOfCells(rival->cells, x, height_, width_) != columns_[x];
        }
        flip(cell);
        return t;
    }

    // Makes the flip for good and brings line logic up to date.
    void apply(int cell)
    {
        flip(cell);
        unknown_ = propagate(&lineGrid_);
    }

    // The cells line logic decides in `line` (row y is line y, column x line height + x) from
    // its clue and the cells it knows now, beyond those.
    long newlyDecided(int line)
    {
        const int length = lineLength(line);
        const std::vector<int>& runs = clueOf(line);
        const int words = wordsForLength(length);
        maskFilled_.assign(static_cast<std::size_t>(words) * 2, 0);
        maskEmpty_.assign(static_cast<std::size_t>(words) * 2, 0);
        Word* filled = maskFilled_.data();
        Word* empty = maskEmpty_.data();
        for (int i = 0; i < length; ++i) {
            const int cell = cellAt(line, i);
            const Cell known = lineGrid_.cells[static_cast<std::size_t>(cell)];
            if (known == Cell::Filled)
                filled[i >> 6] |= Word(1) << (i & 63);
            else if (known == Cell::Empty)
                empty[i >> 6] |= Word(1) << (i & 63);
        }
        Word* outFilled = filled + words;
        Word* outEmpty = empty + words;
        if (!solveLine(runs.data(), static_cast<int>(runs.size()), length, filled, empty, outFilled, outEmpty))
            return 0;
        long fresh = 0;
        for (int w = 0; w < words; ++w)
            fresh += __builtin_popcountll(outFilled[w] & ~filled[w]) + __builtin_popcountll(outEmpty[w] & ~empty[w]);
        return fresh;
    }

    // A cheap first look at a flip: what its row and its column decide with their changed clues
    // from what line logic knows now (the full propagation may gain more, or less).
    long quickGain(int cell)
    {
        flip(cell);
        const long gain = newlyDecided(cell / width_) + newlyDecided(height_ + cell % width_);
        flip(cell);
        return gain;
    }

    // Puts the cells whose quick gain per cost is best first, keeping the given order for ties.
    void rankByQuickGain(std::vector<int>& cells)
    {
        std::vector<std::pair<long, int>> ranked; // quick gain, position in `cells`
        ranked.reserve(cells.size());
        for (std::size_t i = 0; i < cells.size(); ++i)
            ranked.emplace_back(quickGain(cells[i]), static_cast<int>(i));
        std::vector<int> costs(cells.size());
        for (std::size_t i = 0; i < cells.size(); ++i)
            costs[i] = cost(cells[i]);
        std::stable_sort(ranked.begin(), ranked.end(), [&](const auto& a, const auto& b) {
            return a.first * (costs[static_cast<std::size_t>(b.second)] + kCostOffset)
                > b.first * (costs[static_cast<std::size_t>(a.second)] + kCostOffset);
        });
        std::vector<int> out;
        out.reserve(cells.size());
        for (const auto& r : ranked)
            out.push_back(cells[static_cast<std::size_t>(r.second)]);
        cells = std::move(out);
    }

    std::vector<int> openCells() const
    {
        std::vector<int> open;
        for (std::size_t i = 0; i < lineGrid_.cells.size(); ++i)
            if (lineGrid_.cells[i] == Cell::Unknown)
                open.push_back(static_cast<int>(i));
        return open;
    }

    // One round towards line logic alone: tries a sample of the open cells and flips the one
    // with the best gain for its cost. (One flip a round: flips taken alongside the best, each
    // good alone, change the picture more than the greedy needs.)
    // When no flip gains anything it narrows instead (narrowingRound) if `mayNarrow`, else
    // flips nothing. Returns the number of flips.
    int lineRound(bool mayNarrow)
    {
        std::vector<int> candidates = ordered(openCells());
        rankByQuickGain(candidates);
        std::vector<Trial> trials;
        std::size_t next = 0;
        // Right after a round that found no gain, gains are rare: a short look will do.
        const int first = narrowing_ ? kShortSampleSize : kSampleSize;
        const int widened = narrowing_ ? kShortSampleSize : kWidenedSampleSize;
        for (const int sample : {first, widened}) {
            for (; next < candidates.size() && static_cast<int>(trials.size()) < sample; ++next) {
                trials.push_back(trial(candidates[next], nullptr));
                if (limits_.stopped())
                    return 0;
            }
            if (std::any_of(trials.begin(), trials.end(), [](const Trial& t) { return t.gain > 0; }))
                break;
        }
        if (trials.empty())
            return 0;
        std::sort(trials.begin(), trials.end(), better);
        if (const int made = finishLineRound(trials.front()); made != 0)
            return made < 0 ? 0 : made;
        narrowing_ = trials.front().gain <= 0;
        if (narrowing_)
            return mayNarrow ? narrowingRound(candidates) : 0;
        apply(trials.front().cell);
        return 1;
    }

    // Finishing a line: flipping all its open cells that are filled (or all that are empty)
    // leaves its clue no freedom beyond the cells known now, so line logic can decide the
    // whole line and the lines crossing it learn a cell each; a move no single flip makes.
    // Tries the cheapest such moves of a few flips, each by the full propagation, and makes
    // the best if it gains more for its cost (the sum of its flips') than the flip `best`.
    // Returns the flips made, -1 when stopped.
    int finishLineRound(const Trial& best)
    {
        std::vector<FinishingMove> moves = finishingMoves();
        if (moves.empty())
            return 0;
        const FinishingMove* chosen = nullptr;
        long bestGain = best.gain;
        long bestCost = best.cost + kCostOffset;
        for (FinishingMove& m : moves) {
            for (const int c : m.cells)
                flip(c);
            m.gain = unknown_ - propagate(nullptr);
            for (const int c : m.cells)
                flip(c);
            if (limits_.stopped())
                return -1;
            if (m.gain > 0 && m.gain * bestCost > bestGain * m.cost) {
                chosen = &m;
                bestGain = m.gain;
                bestCost = m.cost;
            }
        }
        if (!chosen)
            return 0;
        for (const int c : chosen->cells)
            flip(c);
        unknown_ = propagate(&lineGrid_);
        narrowing_ = false;
        return static_cast<int>(chosen->cells.size());
    }

    // Flipping the open cells of a line that are filled (or those that are empty), and what
    // it costs and gains.
    struct FinishingMove {
        std::vector<int> cells;
        int cost = 0;
        long gain = 0;
    };

    // The moves that finish a line worth trying: at most kFinishingSample of them, the fewest
    // flips first, then the cheapest.
    std::vector<FinishingMove> finishingMoves()
    {
        using Move = FinishingMove;
        std::vector<Move> moves;
        const int lines = width_ + height_;
        for (int line = 0; line < lines; ++line) {
            const int n = lineLength(line);
            Move clear;
            Move fill;
            bool blocked = false;
            for (int i = 0; i < n && !blocked; ++i) {
                const int cell = cellAt(line, i);
                if (lineGrid_.cells[static_cast<std::size_t>(cell)] != Cell::Unknown)
                    continue;
                blocked = flipped_[static_cast<std::size_t>(cell)] != 0;
                Move& m = picture_.cells[static_cast<std::size_t>(cell)] == Cell::Filled ? clear : fill;
                m.cells.push_back(cell);
            }
            if (blocked)
                continue;
            for (Move* m : {&clear, &fill}) {
                const int size = static_cast<int>(m->cells.size());
                if (size < 2 || size > kMostFinishingFlips || size > flipsLeft_)
                    continue;
                for (const int c : m->cells)
                    m->cost += static_cast<int>(cost(c) + kCostOffset);
                moves.push_back(std::move(*m));
            }
        }
        std::stable_sort(moves.begin(), moves.end(), [](const Move& a, const Move& b) {
            return a.cells.size() != b.cells.size() ? a.cells.size() < b.cells.size() : a.cost < b.cost;
        });
        if (moves.size() > static_cast<std::size_t>(kFinishingSample))
            moves.resize(static_cast<std::size_t>(kFinishingSample));
        return moves;
    }

    // Reads what line logic knows of `line` (row y is line y, column x line height + x) into
    // lineCells_ and sets `table` on it with the line's clue.
    template <typename T>
    void readLine(int line, RunPlacement<T>& table)
    {
        const int n = lineLength(line);
        lineCells_.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            lineCells_[i] = lineGrid_.cells[static_cast<std::size_t>(cellAt(line, i))];
        table.setLine(clueOf(line), lineCells_);
    }

    // The ways `line` can be arranged around the cells line logic knows now, as a rough
    // logarithm: exponent plus linear mantissa, exact arithmetic only, so the same on every
    // machine.
    double arrangementBits(int line)
    {
        readLine(line, ways_);
        ways_.fillBehind();
        const double count = ways_.behind(0, 0);
        if (count <= 1)
            return 0;
        int exponent = 0;
        const double mantissa = std::frexp(count, &exponent);
        return exponent - 1 + 2 * (mantissa - 0.5);
    }

    // How far line logic is from deciding another cell of `line` from its clue and the cells
    // it knows now: the smallest, over the runs with open cells in their reach, of how many
    // cells the run's room exceeds its length by (room: from its leftmost to its rightmost
    // start that fit the known cells), at least 1. 0 for a line with nothing open, -1 when
    // the line's (flipped) clue no longer fits the cells known from the clues before the flip.
    int tipDistance(int line)
    {
        readLine(line, reach_);
        const int n = reach_.length();
        const int k = reach_.runCount();
        const int open = n - reach_.emptyBefore(n) - reach_.filledBefore(n);
        if (open == 0 || k == 0)
            return 0;
        reach_.fillAhead();
        reach_.fillBehind();
        int best = std::numeric_limits<int>::max();
        for (int j = 0; j < k; ++j) {
            const int r = reach_.run(j);
            int leftmost = -1;
            int rightmost = -1;
            for (int s = 0; s + r <= n; ++s) {
                if (reach_.placementWays(j, s)) {
                    if (leftmost < 0)
                        leftmost = s;
                    rightmost = s;
                }
            }
            if (leftmost < 0)
                return -1; // the (changed) clue does not fit the cells known from the old clues
            const int reach = rightmost + r;
            const int known = reach_.emptyBefore(reach) - reach_.emptyBefore(leftmost) + reach_.filledBefore(reach)
                - reach_.filledBefore(leftmost);
            if (known == reach - leftmost)
                continue;
            best = std::min(best, std::max(1, rightmost - leftmost + 1 - r));
        }
        return best == std::numeric_limits<int>::max() ? 0 : best;
    }

    // Flips scored by how much closer they bring their row and column to deciding a cell
    // (tipDistance), per cost; a line near that counts far more than one far from it, so the
    // flips gather on the lines that are about to give. Only flips that score.
    std::vector<std::pair<double, int>> scoredByTipping(const std::vector<int>& candidates)
    {
        // 1 / distance; 2 for a line the flip decides at once (its clue left without runs).
        auto closeness = [](int distance) { return distance == 0 ? 2.0 : 1.0 / distance; };
        std::vector<int> distance(static_cast<std::size_t>(width_ + height_), -2); // -2: not yet known
        std::vector<std::pair<double, int>> scored;
        for (const int c : candidates) {
            double score = 0;
            for (const int line : {c / width_, height_ + c % width_}) {
                int& before = distance[static_cast<std::size_t>(line)];
                if (before == -2)
                    before = tipDistance(line);
                flip(c);
                const int after = tipDistance(line);
                flip(c);
                if (before > 0 && after >= 0)
                    score += closeness(after) - closeness(before);
            }
            score /= cost(c);
            if (score > 0)
                scored.emplace_back(-score, c);
        }
        return scored;
    }

    // Flips scored by how much they narrow down the arrangements of their row and column,
    // per cost. Only flips that score.
    std::vector<std::pair<double, int>> scoredByArrangements(const std::vector<int>& candidates)
    {
        std::vector<std::pair<double, int>> scored;
        for (const int c : candidates) {
            const int row = c / width_;
            const int column = height_ + c % width_;
            const double before = arrangementBits(row) + arrangementBits(column);
            flip(c);
            const double after = arrangementBits(row) + arrangementBits(column);
            flip(c);
            const double score = (before - after) / cost(c);
            if (score > 0)
                scored.emplace_back(-score, c);
        }
        return scored;
    }

    // When no single flip lets line logic decide more cells: the flips that bring their row and
    // column closest to deciding a cell, for their cost, or failing any, those that most narrow
    // down the arrangements of their row and column. Such flips add up until the lines decide
    // cells again. 0 when no flip narrows anything.
    int narrowingRound(const std::vector<int>& candidates)
    {
        // Each flip narrows only its own row and column, so with much open several flips on
        // different lines go in one round.
        const std::size_t most = static_cast<std::size_t>(std::clamp<long>(std::min<long>(unknown_ / 100, flipsLeft_), 1, kMostNarrowingFlips));
        auto batchOf = [&](std::vector<std::pair<double, int>> scored) {
            std::sort(scored.begin(), scored.end());
            std::vector<std::uint8_t> lineUsed(static_cast<std::size_t>(width_ + height_), 0);
            std::vector<int> batch;
            for (const auto& [negativeScore, c] : scored) {
                const std::size_t row = static_cast<std::size_t>(c / width_);
                const std::size_t column = static_cast<std::size_t>(height_ + c % width_);
                if (lineUsed[row] || lineUsed[column])
                    continue;
                lineUsed[row] = lineUsed[column] = 1;
                batch.push_back(c);
                if (batch.size() == most)
                    break;
            }
            return batch;
        };
        std::vector<int> batch = batchOf(scoredByTipping(candidates));
        if (batch.empty())
            batch = batchOf(scoredByArrangements(candidates));
        if (batch.empty())
            return 0;
        for (const int c : batch)
            flip(c);
        unknown_ = propagate(&lineGrid_);
        return static_cast<int>(batch.size());
    }

    // One round against a second solution: flips one of the cells where it differs from the
    // picture, preferring flips whose changed clues it no longer fits, then line gain.
    int rivalRound(const CellGrid& rival)
    {
        std::vector<int> differing;
        for (std::size_t i = 0; i < picture_.cells.size(); ++i)
            if (rival.cells[i] != picture_.cells[i])
                differing.push_back(static_cast<int>(i));
        const std::vector<int> candidates = ordered(std::move(differing));
        if (candidates.empty())
            return lineRound(true);
        Trial best;
        for (std::size_t i = 0; i < candidates.size() && static_cast<int>(i) < kSampleSize; ++i) {
            const Trial t = trial(candidates[i], &rival);
            if (limits_.stopped())
                return 0;
            if (best.cell < 0 || (options_.keepLineLogicBehind ? fewerGained(t, best) : better(t, best)))
                best = t;
        }
        apply(best.cell);
        return 1;
    }

    void report()
    {
        if (!options_.progress)
            return;
        const double share = 1.0 - static_cast<double>(unknown_) / static_cast<double>(initialUnknown_);
        progress_ = std::max(progress_, 0.95 * share);
        options_.progress(progress_);
    }

    const MakeUniqueOptions& options_;
    RunLimits limits_;
    int width_;
    int height_;
    CellGrid picture_;
    int mostFlips_;
    std::vector<std::uint8_t> flipped_;
    std::vector<std::vector<int>> rows_;
    std::vector<std::vector<int>> columns_;
    std::map<std::vector<int>, std::uint64_t> clueNames_; // every clue met, and its number
    std::vector<std::uint64_t> clueIds_;                  // the number of each line's clue
    std::vector<std::uint8_t> clueUnnamed_;               // changed since its number was given
    std::vector<int> unnamedLines_;
    // A few hundred states a line: enough for the trials of a round, and small pictures do not
    // pay for a large table.
    LineSolveCache<2> lineCache_{std::min<std::size_t>(1 << 16, 256 * static_cast<std::size_t>(width_ + height_))};
    CellGrid lineGrid_;
    std::vector<Word> maskFilled_;
    std::vector<Word> maskEmpty_;
    std::vector<Cell> lineCells_;
    RunPlacement<double> ways_;         // arrangementBits' table
    RunPlacement<std::uint8_t> reach_;  // tipDistance's table
    long unknown_ = 0;
    long initialUnknown_ = 1;
    long searchAgainBelow_ = std::numeric_limits<long>::max();
    int roundsSinceSearch_ = 0;
    int flipsLeft_ = 0; // flips the run may still make
    long long searchNodesLeft_ = 0;
    bool narrowing_ = false; // the last line round found no flip with a gain
    std::uint64_t round_ = 0;
    double progress_ = 0;
};

// The unique mode's repair, then the line-logic mode's, stopped once it has changed as many
// cells as the first (each cell changes at most once, and until a run reaches its limit the
// limit changes none of its choices, so a run that can change fewer cells does exactly what
// it would unlimited). The fewer changes win; the unique mode's on a tie. Progress: the
// first run reports up to a half, the second the rest.
MakeUniqueResult fewestOfBothModes(const CellGrid& picture, const MakeUniqueOptions& options)
{
    MakeUniqueOptions unique = options;
    MakeUniqueOptions line = options;
    line.lineSolvable = true;
    if (options.progress) {
        unique.progress = [&](double f) { options.progress(0.5 * f); };
        line.progress = [&](double f) { options.progress(0.5 + 0.5 * f); };
    }
    MakeUniqueResult result = Repair(picture, unique, std::numeric_limits<int>::max()).run(picture);
    if (result.cancelled)
        return result;
    if (!result.done || !result.changed.empty()) {
        const int mostFlips = result.done ? static_cast<int>(result.changed.size()) - 1 : std::numeric_limits<int>::max();
        MakeUniqueResult lineResult = Repair(picture, line, mostFlips).run(picture);
        if (lineResult.cancelled)
            return lineResult;
        if (lineResult.done && (!result.done || lineResult.changed.size() < result.changed.size()))
            result = std::move(lineResult);
    }
    if (result.done && options.progress)
        options.progress(1.0);
    return result;
}

} // namespace

MakeUniqueResult makeUnique(const CellGrid& picture, const MakeUniqueOptions& options)
{
    const auto start = Clock::now();
    if (static_cast<long>(picture.width) * picture.height > kMaxSolverCells)
        throw std::invalid_argument("picture of " + std::to_string(picture.width) + " x "
                                    + std::to_string(picture.height) + " cells is too large");
    MakeUniqueResult result;
    if (options.lineSolvable || !options.fewestOfBothModes) {
        result = Repair(picture, options, std::numeric_limits<int>::max()).run(picture);
    } else {
        result = fewestOfBothModes(picture, options);
    }
    result.elapsedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return result;
}

} // namespace zumeli::solver
