// Changing a few cells of a picture so that its clues have exactly one solution, or so that
// line logic alone solves them.
#pragma once

#include "solve/engine/puzzle.h"
#include "solve/engine/solver.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace zumeli::solver {

struct MakeUniqueOptions {
    bool lineSolvable = false;                     // ask for a puzzle line logic alone solves
    const std::atomic<bool>* cancel = nullptr;     // stops the run once it reads true
    std::function<void(double fraction)> progress; // 0..1, may be called from the worker thread
    // Branches each search for a second solution may take before the run falls back on
    // line-logic changes (all searches together: 6 times as many). A work budget, never a
    // clock, so that the result does not depend on the machine.
    std::uint64_t searchNodeLimit = 5000;
    // In unique mode, also makes the picture line-solvable (stopping that run once it cannot
    // change fewer cells) and keeps that result when it changes fewer cells: a puzzle line
    // logic solves is unique too, so the unique mode never proposes more changes than the
    // line-logic mode. The generator turns it off when it wants puzzles line logic alone
    // does not solve.
    bool fewestOfBothModes = true;
    // In unique mode, of the flips against a second solution, prefer those line logic gains
    // least from (instead of most): the result tends to need more than line logic. For
    // generating hard puzzles.
    bool keepLineLogicBehind = false;
};

struct MakeUniqueResult {
    bool done = false;        // the changed picture's clues meet the mode
    bool cancelled = false;
    CellGrid picture;         // the changed picture (Filled/Empty only), same size as the input
    std::vector<int> changed; // y * width + x of each cell that differs from the input, ascending
    Verdict verdict = Verdict::Stopped; // of the changed picture's clues
    bool lineSolvable = false;
    double elapsedMs = 0;
};

// Finds a small set of cells to fill or clear in `picture` (Unknown cells count as empty) so
// that the clues of the changed picture have exactly one solution, and with
// options.lineSolvable one that line logic alone finds (without it, never more cells than that
// mode changes, see fewestOfBothModes). Prefers cells on the edges between
// filled and empty areas over cells inside them, and never changes the size. The same input
// gives the same result on every run and machine. An empty picture (0 cells) comes back as
// is, done. Throws std::invalid_argument for a picture with more than kMaxSolverCells cells.
MakeUniqueResult makeUnique(const CellGrid& picture, const MakeUniqueOptions& options = {});

} // namespace zumeli::solver
