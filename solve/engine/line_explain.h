// Which known cells of a line its contradiction rests on: the explanation the conflict search
// gives for a line's deduction.
#pragma once

#include "solve/engine/line_solver.h"
#include "solve/engine/line_state.h"

#include <cstdint>
#include <vector>

namespace zumeli::solver {

// A known cell of a line: its position there and its value.
struct LineCell {
    int position = 0;
    bool filled = false;
};

// Sets or clears the cell's bit in the mask of its value.
inline void toggleLineCell(const LineCell& c, Word* filled, Word* empty)
{
    (c.filled ? filled : empty)[c.position >> 6] ^= Word(1) << (c.position & 63);
}

// The known cells a contradiction needs, by deletion: the cells of `candidates` are dropped
// in their order, each one that the line can do without (it stays contradictory) for good.
// `filled` / `empty` hold the line's known cells, every candidate among them, and are left
// with the kept candidates and the cells that were no candidates. `contradictory()` tells
// whether the masks as they are now leave the line no arrangement; `mustStop()` whether to
// give up, keeping every candidate not yet dropped (keeping cells never makes an explanation
// wrong). Sets kept[i] to 1 for each candidate kept, 0 for each dropped.
//
// One test per candidate. Dropping stretches of candidates at once (doubling while the line
// stays contradictory, then halving the stretch that failed) gives the same answer with about
// a sixth fewer tests on the hardest tournament puzzles, but its branches are harder to
// foresee: the search took as many instructions and more mispredicted branches with it.
template <typename Contradictory, typename MustStop>
void keepNeededCells(const std::vector<LineCell>& candidates, Word* filled, Word* empty,
                     Contradictory&& contradictory, MustStop&& mustStop, std::vector<std::uint8_t>& kept)
{
    kept.assign(candidates.size(), 1);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (mustStop())
            return;
        toggleLineCell(candidates[i], filled, empty);
        if (contradictory())
            kept[i] = 0;
        else
            toggleLineCell(candidates[i], filled, empty);
    }
}

// keepNeededCells on a line of 1 to 63 cells whose runs fit in it, with the known cells
// `filled` / `empty` (every candidate among them), each test answering as shortLineFeasible
// would, most of them in a few instructions (see line_solver.cpp). Stops before a test once
// `limits` say so. Returns the tests taken: one per candidate tried.
int keepNeededShortCells(const int* runs, int runCount, int length, const std::vector<LineCell>& candidates,
                         Word filled, Word empty, const RunLimits& limits, std::vector<std::uint8_t>& kept);

} // namespace zumeli::solver
