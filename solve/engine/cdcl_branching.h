// How the conflict search chooses its branches: the starting guesses and activities from the
// lines' odds, and the look-ahead of a long search.
#pragma once

#include "solve/engine/cdcl_store.h"
#include "solve/engine/line_state.h"
#include "solve/engine/search_rhythm.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zumeli::solver::cdcl {

// For each cell of a line, the share of the arrangements agreeing with the known cells in
// which it is filled (counted in floating point: the counts can be astronomically large).
std::vector<double> filledShares(const std::vector<int>& runs, const std::vector<Cell>& line);

// The same with each arrangement weighed by how likely its cells are: cell i filled with
// odds[i], empty with 1 - odds[i] (1 or 0 for a known cell). Lines of at most
// kWeighedLineLength cells: the weights of a longer one can vanish below what a double holds.
constexpr int kWeighedLineLength = 128;
std::vector<double> weighedFilledShares(const std::vector<int>& runs, const std::vector<double>& odds);

// A search with at least this many open cells takes its starting guesses from odds passed
// between rows and columns (see passOdds in cdcl_branching.cpp), which agree with more of a
// solution than the lines taken alone. Over tie-break seeds 1 to 6 the searches of the
// tournament set then took less than a third of the work on the geometric mean (line
// solves), three fifths in all. Smaller searches gain less, and the small puzzles with one
// solution lose: they find it sooner, but then take a fifth to a third more work to show
// that there is no other (the N-Dom family, up to 361 open cells; webpbn Forever, 445).
// They keep the guesses of the lines taken alone.
constexpr int kOpenCellsForPassedOdds = 500;

// Starting guesses (seeded into `rhythm`) and activities from how likely each open cell is
// to be filled, by its row and its column taken as independent: the likelier value is tried
// first, and the least certain cells are branched on first (their branches settle the most).
// With kOpenCellsForPassedOdds open cells or more, the guesses come from the odds after
// passing them between rows and columns a few rounds instead.
// Only the lines marked in `scopeLine` are read; `value` holds the cells known so far. A
// `tieBreakSeed` other than 0 adds to each activity a share drawn from it, up to a fifth of
// their range: cells rated alike or nearly so come in another order (see
// SolveOptions::tieBreakSeed). Whether the guesses came from passed odds.
bool seedBranching(const LineState& lines, const std::vector<std::uint8_t>& scopeLine, const std::vector<Cell>& value,
                   std::uint64_t tieBreakSeed, RunLimits& limits, SearchRhythm& rhythm, std::vector<double>& activity,
                   ActivityHeap& heap);

// The odds of a dive along the odds, kept from one turn to the next (see surestCells): what
// each cell's row and its column say of it. Empty before the first turn.
struct DiveOdds {
    std::vector<double> row;
    std::vector<double> column;
};

// The share of the open cells a turn of a dive takes as branches (see surestCells).
constexpr double kDiveShare = 0.02;

// The next branches of a dive: with the cells known in `value` as facts, the odds are passed
// between the rows and columns marked in `scopeLine` (from the lines alone on the first turn,
// from the odds the turn before left in `odds` after it, which it updates), and `picks` gets
// the likelier values of the surest kDiveShare of the open cells (at least one), the surest
// last. Empty when no cell of those lines is open.
void surestCells(const LineState& lines, const std::vector<std::uint8_t>& scopeLine, const std::vector<Cell>& value,
                 RunLimits& limits, DiveOdds& odds, std::vector<Lit>& picks);

// What taking a value as a branch and going back again showed.
struct BranchTrial {
    bool consistent = true; // no contradiction met
    std::size_t settled = 0; // cells it set, itself included
    // When this was the second value of a cell, consistent like the first: a literal both
    // values set (not the cell itself), or -1.
    Lit implied = -1;
};

// The branch to take: of the most active open cells (`first` and the next ones in the
// heap), the one whose two values, each tried and undone again, settle the most cells
// together (the product of both counts), with the value `rhythm` prefers. A value that
// meets a contradiction is taken instead, so that the search learns from it at once; so is
// the opposite of a value that both values of a cell set (BranchTrial::implied), which meets
// a contradiction under either value of that cell.
// `tryBranch(p)` takes literal p as a branch and goes back again, the two values of a cell
// one right after the other (a value that meets a contradiction is the choice, so the caller
// may keep that trial as its branch instead of going back); `stopped()` tells whether the
// run must stop. `cells` is working room; the cells taken from the heap go back into it.
template <typename TryBranch, typename Stopped>
Lit chooseByLookAhead(int first, ActivityHeap& heap, const std::vector<Cell>& value,
                      const SearchRhythm& rhythm, std::vector<int>& cells, TryBranch&& tryBranch,
                      Stopped&& stopped)
{
    static constexpr int kCandidates = 20;
    cells.clear();
    cells.push_back(first);
    while (!heap.empty() && static_cast<int>(cells.size()) < kCandidates) {
        const int u = heap.pop();
        if (value[u] == Cell::Unknown)
            cells.push_back(u);
    }
    Lit choice = literal(first, rhythm.preferFilled(first));
    double bestScore = -1;
    for (const int u : cells) {
        double score = 1;
        bool failed = false;
        const bool likelier = rhythm.preferFilled(u);
        for (const bool filled : {likelier, !likelier}) {
            const Lit p = literal(u, filled);
            const BranchTrial trial = tryBranch(p);
            score *= static_cast<double>(trial.settled + 1);
            if ((!trial.consistent || trial.implied >= 0) && !stopped()) {
                choice = trial.consistent ? opposite(trial.implied) : p;
                failed = true;
                break;
            }
        }
        if (failed || stopped())
            break;
        if (score > bestScore) {
            bestScore = score;
            choice = literal(u, likelier);
        }
    }
    for (const int u : cells)
        heap.insert(u);
    return choice;
}

} // namespace zumeli::solver::cdcl
