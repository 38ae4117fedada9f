// A slow, plain reference solver the tests hold the engine against: line logic and backtracking.
#pragma once

#include "solve/engine/puzzle.h"
#include "solve/engine/solver.h"

#include <cstdint>
#include <vector>

namespace zumeli::test {

// Line logic for one line, written independently of the engine's line solver: the clue is
// read as a pattern of cell states (empty stretch, run cells, gap, ...) and every cell is
// tried against the states reachable from both ends. Unknown cells that every arrangement
// agrees on are set. Returns false (the line unchanged) when no arrangement agrees with the
// known cells. Run lengths must be positive.
bool referenceSolveLine(const std::vector<int>& runs, std::vector<solver::Cell>& line);

// Line logic over the whole grid until no line changes, from the cells known in `grid`.
// Returns false on a contradiction (`grid` is then left part way).
bool referenceLineLogic(const solver::Puzzle& puzzle, solver::CellGrid& grid);

struct ReferenceResult {
    // NoSolution, Unique, Multiple, or Stopped when the node limit ran out.
    solver::Verdict verdict = solver::Verdict::Stopped;
    // Line logic alone fills the picture or finds the clues contradictory.
    bool lineSolvable = false;
    // What line logic decides from the empty grid; all Unknown when the clues contradict.
    solver::CellGrid lineGrid;
    std::vector<solver::CellGrid> solutions; // at most two
    std::uint64_t nodes = 0;
};

// Decides the puzzle by line logic and depth-first backtracking on the first open cell,
// stopping at the second solution. Run lengths of 0 are ignored. nodeLimit 0: no limit.
ReferenceResult referenceSolve(const solver::Puzzle& puzzle, std::uint64_t nodeLimit = 0);

} // namespace zumeli::test
