// What the puzzle check tells the author, in the program's words: the verdict of the solver
// engine on the clue band, line logic, and how the drawn picture relates to the solution.
#pragma once

#include "solve/engine/difficulty.h"
#include "solve/engine/solver.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zumeli {

struct CheckReport {
    QStringList lines;                   // sentences to show, in order
    std::vector<solver::CellGrid> grids; // pictures to show: a solution, two solutions, or the
                                         // line-logic picture
    QStringList gridCaptions;            // one caption per picture
    std::vector<std::vector<bool>> marked; // per picture: cells to mark, row by row (empty: none)
};

// `drawn` is the answer area's picture (filled cells only); it is compared with a unique
// solution when the author has drawn anything. `difficulty`, when given for a unique
// solution, adds the difficulty sentence.
CheckReport describeCheck(const solver::SolveResult& result, const solver::CellGrid& drawn,
                          std::optional<solver::Difficulty> difficulty = std::nullopt);

// 「難易度: N（説明）」 for a grade 1..4.
QString difficultySentence(const solver::Difficulty& difficulty);

// The verdict in one sentence, as the picture import shows it under its preview: no solution,
// unique (by line logic alone or only with search), several, or not decided in time.
QString verdictSummary(const solver::SolveResult& result);

// Cells where two pictures differ, row by row.
std::vector<bool> differingCells(const solver::CellGrid& a, const solver::CellGrid& b);

} // namespace zumeli
