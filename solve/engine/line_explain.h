// Which known cells of a line its contradiction rests on: the explanation the conflict search
// gives for a line's deduction.
#pragma once

#include "solve/engine/line_solver.h"

#include <algorithm>
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
// The answer is exactly that of trying the candidates one by one, with far fewer tests: a
// line contradictory with some known cells stays so with more, so when dropping a whole
// stretch of the next candidates at once keeps the contradiction, dropping them one by one
// would have too. The stretch doubles while that holds; once it fails, halving it finds the
// first candidate that must stay. A stretch of d droppable candidates costs about 2 log d
// tests instead of d. Two candidates kept one after the other are rarer than a dropped one
// after a kept one, so after a kept candidate the first stretch is two.
template <typename Contradictory, typename MustStop>
void keepNeededCells(const std::vector<LineCell>& candidates, Word* filled, Word* empty,
                     Contradictory&& contradictory, MustStop&& mustStop, std::vector<std::uint8_t>& kept)
{
    const int count = static_cast<int>(candidates.size());
    kept.assign(candidates.size(), 0);
    auto toggle = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            toggleLineCell(candidates[i], filled, empty);
    };
    int next = 0; // candidates before it are decided
    int firstStretch = 1;
    while (next < count) {
        // Gallop: drop [next, end) in stretches of 1, 2, 4, ... while the line stays
        // contradictory.
        int end = next;
        int stretch = firstStretch;
        bool failed = false;
        while (end < count) {
            if (mustStop()) {
                for (int i = end; i < count; ++i)
                    kept[i] = 1;
                return;
            }
            const int to = std::min(count, end + stretch);
            toggle(end, to);
            if (!contradictory()) {
                toggle(end, to);
                failed = true;
                // The first candidate that must stay is in [end, to).
                next = end;
                end = to;
                break;
            }
            end = to;
            stretch *= 2;
        }
        if (!failed)
            return;
        // Halve [next, end): dropping all of it loses the contradiction, so some candidate
        // in it stays; every one before the first such is dropped.
        int last = end - 1;
        while (next < last) {
            if (mustStop()) {
                for (int i = next; i < count; ++i)
                    kept[i] = 1;
                return;
            }
            const int mid = next + (last - next) / 2;
            toggle(next, mid + 1);
            if (contradictory()) {
                next = mid + 1;
            } else {
                toggle(next, mid + 1);
                last = mid;
            }
        }
        kept[next] = 1;
        ++next;
        firstStretch = 2;
    }
}

} // namespace zumeli::solver
