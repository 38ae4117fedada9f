// Exact line logic: the cells of one line that every arrangement of its runs agrees on.
#pragma once

#include <algorithm>
#include <cstdint>

namespace zumeli::solver {

using Word = std::uint64_t;

constexpr int wordsForLength(int length) { return (length + 63) / 64; }

// The first index in [from, to) whose bit in `words` is `set` (the bits inverted when not),
// or `to` when there is none.
inline int nextBit(const Word* words, int from, int to, bool set)
{
    int i = from;
    while (i < to) {
        const Word w = set ? words[i >> 6] : ~words[i >> 6];
        const Word rest = w >> (i & 63);
        if (rest)
            return std::min(to, i + __builtin_ctzll(rest));
        i = (i | 63) + 1;
    }
    return to;
}

// The last index in [from, to) whose bit in `words` is `set` (inverted when not), or from - 1
// when there is none.
inline int lastBit(const Word* words, int from, int to, bool set)
{
    int i = to - 1;
    while (i >= from) {
        const Word below = (i & 63) == 63 ? ~Word(0) : ((Word(1) << ((i & 63) + 1)) - 1);
        const Word w = (set ? words[i >> 6] : ~words[i >> 6]) & below;
        if (w)
            return std::max(from - 1, (i & ~63) + 63 - __builtin_clzll(w));
        i = (i & ~63) - 1;
    }
    return from - 1;
}

// Solves one line of `length` cells with `runCount` positive run lengths. Cell i is bit i % 64
// of word i / 64 in the masks of known filled and known empty cells (bits past the end are
// zero). Writes the masks of cells that are filled, and empty, in every arrangement that
// agrees with the known cells (the known cells included). Returns false when no arrangement
// agrees (the outputs are then meaningless). A known stretch at either end is checked against
// the runs it must hold and left out; what remains is solved with whole-line bit operations
// up to 1023 cells, cell by cell beyond.
bool solveLine(const int* runs, int runCount, int length, const Word* filled, const Word* empty,
               Word* outFilled, Word* outEmpty);

// Whether any arrangement of the runs agrees with the known cells (same masks as solveLine);
// cheaper than solveLine when only a contradiction matters.
bool lineFeasible(const int* runs, int runCount, int length, const Word* filled, const Word* empty);

// lineFeasible for a line of 1 to 63 cells whose runs fit in it (their lengths and a gap
// between each two add up to at most its length), its masks one word each: for the many tests
// of one line that explaining a deduction takes, without the checks that hold for all of them.
bool shortLineFeasible(const int* runs, int runCount, int length, Word filled, Word empty);

} // namespace zumeli::solver
