// Random puzzles with exactly one solution, drawn from smoothed random fields.
#pragma once

#include "solve/engine/puzzle.h"

#include <atomic>
#include <cstdint>

namespace zumeli::solver {

constexpr int kMinGenerateSide = 1;
constexpr int kMaxGenerateSide = 100;

struct GenerateOptions {
    int width = 15, height = 15; // kMinGenerateSide..kMaxGenerateSide each (the dialog offers 5..80)
    std::uint64_t seed = 1;
    bool lineSolvable = false;   // a puzzle line logic alone solves
    const std::atomic<bool>* cancel = nullptr;
};

struct GenerateResult {
    bool done = false;  // false only when cancelled
    CellGrid picture;   // the puzzle's one solution
    Puzzle puzzle;      // its clues, with the picture as goal
};

// A puzzle whose clues have exactly one solution (line-solvable when asked): a smoothed random
// field, 50..60 % of its cells filled, made unique by makeUnique (the next picture of the seed
// when that gives up). The same options give the same puzzle on every run and machine. Throws
// std::invalid_argument for a size outside kMinGenerateSide..kMaxGenerateSide, and
// std::runtime_error in the unlikely case that 16 pictures in a row cannot be made unique.
GenerateResult generatePuzzle(const GenerateOptions& options);

} // namespace zumeli::solver
