// Exact line logic: the cells of one line that every arrangement of its runs agrees on.
#pragma once

#include <cstdint>

namespace zumeli::solver {

using Word = std::uint64_t;

constexpr int wordsForLength(int length) { return (length + 63) / 64; }

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

} // namespace zumeli::solver
