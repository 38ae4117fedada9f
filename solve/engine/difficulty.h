// How much reasoning a puzzle with exactly one solution asks of the player, as a grade.
#pragma once

#include "solve/engine/puzzle.h"
#include "solve/engine/simple_lines.h"
#include "solve/engine/solver.h"

#include <optional>

namespace zumeli::solver {

// The grades, easiest first. Each is the smallest kind of reasoning that, applied again and
// again to what is known so far, fills the whole picture:
//   1 "simple-lines"  per line, the leftmost and the rightmost placement of its runs that
//                     agree with the known cells: a cell both placements give to the same run
//                     is filled, a cell no run reaches in either is empty (overlap and reach);
//   2 "lines"         per line, everything every placement agreeing with the known cells has
//                     in common (full line logic, to its fixed point);
//   3 "probing"       grade 2, and: a cell that, set to one value, makes line logic meet a
//                     contradiction takes the other value;
//   4 "search"        anything more (trying values deeper than one cell).
// The fixed point of each kind does not depend on the order the lines or cells are taken in,
// so the grade is a property of the clues alone.
struct Difficulty {
    int grade = 0;
    const char* name = "";
};

// The difficulty of `puzzle`, whose solve result `unique` says Unique (it brings the solution,
// what line logic decides and whether that is everything). When the solve learned the grade
// on the way (SolveResult::difficulty) that is the answer at once. Nothing when the limits in
// `options` stop the grading first. Throws std::invalid_argument when the verdict is not Unique.
std::optional<Difficulty> gradeDifficulty(const Puzzle& puzzle, const SolveResult& unique,
                                          const SolveOptions& options = {});

// The grade's name as above; "" outside 1..4.
const char* difficultyName(int grade);

} // namespace zumeli::solver
