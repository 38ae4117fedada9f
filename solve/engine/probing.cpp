// Probing at a line-logic fixed point (see probing.h): failed cells decided round by round.
#include "solve/engine/probing.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zumeli::solver {

namespace {

// One probing run. Each literal (a cell and a value, 2 * cell + filled) that a probe set
// without meeting a contradiction is harmless: line logic from it alone reaches no more than
// the probe did, so it cannot contradict either while nothing new is known. It is marked with
// the round it was shown harmless in and not probed again in that round. A round that decides
// a cell is followed by another one, so only a round that decides nothing ends the run, and
// every mark it went by was made after the last decided cell: the fixed point is exact. (The
// marks of a round that decides cells may be stale; they only spare probes in that round.)
class Prober {
public:
    Prober(LineState& state, RunLimits& limits, const CellGrid* solution, long patience)
        : state_(state), limits_(limits), solution_(solution), patience_(patience),
          // Probes meet the same line states again and again.
          cache_(std::min<std::size_t>(1 << 14, 64 * static_cast<std::size_t>(state.lineCount()))),
          clues_(static_cast<std::size_t>(state.lineCount()), 0),
          harmlessIn_(2 * static_cast<std::size_t>(state.cellCount()), 0)
    {
    }

    ProbeOutcome run()
    {
        bool decided = true;
        while (decided && state_.unknownCount() > 0) {
            ++round_;
            decided = false;
            for (int c = 0; c < state_.cellCount(); ++c) {
                if (state_.cell(c) != Cell::Unknown)
                    continue;
                const ProbeOutcome outcome = probeCell(c, decided);
                if (outcome != ProbeOutcome::Open)
                    return outcome;
            }
        }
        return state_.unknownCount() == 0 ? ProbeOutcome::Filled : ProbeOutcome::Open;
    }

private:
    static std::size_t literal(int cell, bool filled) { return 2 * static_cast<std::size_t>(cell) + (filled ? 1 : 0); }

    // Tries the values of open cell `c` (only the one against the solution when it is known);
    // the first that contradicts decides the cell the other way. Open unless the clues show
    // no solution or the limits stop the run.
    ProbeOutcome probeCell(int c, bool& decided)
    {
        for (const bool value : {true, false}) {
            if (solution_ && (solution_->cells[c] == Cell::Filled) == value)
                continue;
            if (harmlessIn_[literal(c, value)] == round_)
                continue;
            const bool consistent = probe(c, value);
            if (limits_.stopped())
                return ProbeOutcome::Stopped;
            if (consistent) {
                if (patience_ > 0 && ++fruitless_ >= patience_)
                    return ProbeOutcome::GaveUp;
                continue;
            }
            decided = true;
            fruitless_ = 0;
            return decide(c, !value);
        }
        return ProbeOutcome::Open;
    }

    // Sets cell `c` to `value`, runs line logic and takes it all back; whether it met no
    // contradiction (then every cell it set is marked harmless with its value).
    bool probe(int c, bool value)
    {
        trail_.assign(1, c);
        state_.set(c, value);
        enqueueCrossing(c);
        const bool consistent = propagateLines(state_, limits_, cache_, clues_, &trail_);
        for (auto it = trail_.rbegin(); it != trail_.rend(); ++it) {
            const bool wasFilled = state_.cell(*it) == Cell::Filled;
            if (consistent)
                harmlessIn_[literal(*it, wasFilled)] = round_;
            state_.unset(*it, wasFilled);
        }
        return consistent;
    }

    // Records cell `c` as `value` and what line logic derives from it.
    ProbeOutcome decide(int c, bool value)
    {
        state_.set(c, value);
        enqueueCrossing(c);
        const bool consistent = propagateLines(state_, limits_, cache_, clues_);
        if (limits_.stopped())
            return ProbeOutcome::Stopped;
        return consistent ? ProbeOutcome::Open : ProbeOutcome::Contradiction;
    }

    void enqueueCrossing(int c)
    {
        state_.enqueue(state_.rowLine(c));
        state_.enqueue(state_.columnLine(c));
    }

    LineState& state_;
    RunLimits& limits_;
    const CellGrid* solution_;
    const long patience_;
    long fruitless_ = 0; // probes in a row that decided nothing
    LineSolveCache<2> cache_;
    const std::vector<std::uint64_t> clues_;
    std::vector<std::uint64_t> harmlessIn_;
    std::uint64_t round_ = 0;
    std::vector<int> trail_;
};

} // namespace

ProbeOutcome probeToFixedPoint(LineState& state, RunLimits& limits, const CellGrid* solution, long patience)
{
    return Prober(state, limits, solution, patience).run();
}

ProbeOutcome probeFromLineGrid(const Puzzle& puzzle, const CellGrid& lineGrid, RunLimits& limits,
                               const CellGrid* solution)
{
    LineState state(positiveRuns(puzzle.rows), positiveRuns(puzzle.columns));
    for (int c = 0; c < state.cellCount(); ++c)
        if (lineGrid.cells[c] != Cell::Unknown)
            state.set(c, lineGrid.cells[c] == Cell::Filled);
    return probeToFixedPoint(state, limits, solution);
}

} // namespace zumeli::solver
