// The puzzle solver: decides whether a puzzle has no solution, exactly one, or several.
#pragma once

#include "solve/engine/puzzle.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace zumeli::solver {

enum class Verdict {
    NoSolution,
    Unique,
    Multiple,
    Stopped, // a time or node limit, or the cancel flag, ended the run before a verdict
};

enum class StopReason { None, TimeLimit, NodeLimit, Cancelled };

// "none", "unique", "multiple" or "timeout".
const char* verdictName(Verdict verdict);

struct SolveOptions {
    double timeLimitSeconds = 0;              // 0: no limit
    std::uint64_t nodeLimit = 0;              // branches the search may take; 0: no limit
    const std::atomic<bool>* cancel = nullptr; // stops the run once it reads true
    // A picture believed to fit the clues, such as the one the clues were made from. When it
    // does fit, it is taken as the first solution and the search only looks for another one,
    // near it; when it does not, it is ignored. The verdict is the same either way.
    const CellGrid* knownSolution = nullptr;
    // Learn the difficulty grade of a unique puzzle on the way (SolveResult::difficulty): line
    // logic starts with the simple line rules, and probing (see probing.h) goes before the
    // search when line logic leaves cells open. Callers that only want the verdict, many
    // times over (make-unique), leave it off: the verdict and lineGrid are the same either way.
    bool learnDifficulty = false;
    // 0: the search takes cells it rates alike, or nearly so, in the same order on every run.
    // Another value takes them in another order, the same for the same value: the verdict is
    // the same, the path and the work to it are not. Benchmarks use it to tell a change that
    // saves work from one that only happens to meet luckier ties.
    std::uint64_t tieBreakSeed = 0;
};

struct SolveStats {
    std::uint64_t nodes = 0;      // branches taken by the search, counted as for SolveOptions::nodeLimit
    std::uint64_t lineSolves = 0; // line solver calls
    std::uint64_t conflicts = 0;  // contradictions met by the search
};

struct SolveResult {
    Verdict verdict = Verdict::Stopped;
    StopReason stopReason = StopReason::None;
    // Line logic alone (propagation without search) decides the verdict: it fills the whole
    // picture, or shows the clues contradict each other.
    bool lineSolvable = false;
    // What pure line propagation decides; Unknown for the cells it leaves open, and all
    // Unknown when it shows the clues contradict each other.
    CellGrid lineGrid;
    // No solution, the one solution, or two different ones. A stopped run keeps any it found.
    std::vector<CellGrid> solutions;
    double elapsedMs = 0;
    SolveStats stats;
    // The difficulty grade (1..4, see difficulty.h) of a unique puzzle when the solve learned
    // it on the way (with SolveOptions::learnDifficulty); 0 otherwise.
    int difficulty = 0;
};

// Decides `puzzle`. Run lengths of 0 are ignored. Throws std::invalid_argument for a negative
// run length or a puzzle of more than kMaxSolverCells cells. Never runs past the limits in
// `options` by more than a few milliseconds.
constexpr long kMaxSolverCells = 4L * 1024 * 1024;
SolveResult solve(const Puzzle& puzzle, const SolveOptions& options = {});

} // namespace zumeli::solver
