// Random puzzles with exactly one solution, drawn from smoothed random fields.
#pragma once

#include "solve/engine/puzzle.h"

#include <atomic>
#include <cstdint>

namespace zumeli::solver {

constexpr int kMinGenerateSide = 1;
constexpr int kMaxGenerateSide = 100;

// Pictures drawn for a puzzle of a given grade before giving up: the hardest grades take
// tens of pictures on small sizes, where few puzzles need more than probing.
constexpr int kMaxGradedPictures = 1000;

struct GenerateOptions {
    int width = 15, height = 15; // kMinGenerateSide..kMaxGenerateSide each (the dialog offers 5..80)
    std::uint64_t seed = 1;
    bool lineSolvable = false;   // a puzzle line logic alone solves
    // The grade the puzzle must have, 1..4 (difficulty.h: simple-lines, lines, probing,
    // search); 0 for whatever grade lineSolvable gives. A grade overrides lineSolvable.
    int difficulty = 0;
    const std::atomic<bool>* cancel = nullptr;
};

struct GenerateResult {
    bool done = false;  // false only when cancelled
    CellGrid picture;   // the puzzle's one solution
    Puzzle puzzle;      // its clues, with the picture as goal
    int difficulty = 0; // its grade when one was asked for, else 0
    int pictures = 0;   // pictures drawn, the last one the puzzle's
};

// A puzzle whose clues have exactly one solution (line-solvable when asked): a smoothed random
// field, 50..60 % of its cells filled, made unique by makeUnique (the next picture of the seed
// when that gives up). Asked for a grade, the pictures are drawn and made unique to suit it
// (finer and sparser fields for the harder grades, line logic alone for the line grades),
// graded, and drawn again until one has the grade. The same options give the same puzzle on
// every run and machine. Throws std::invalid_argument for a size outside
// kMinGenerateSide..kMaxGenerateSide or a grade outside 0..4, and std::runtime_error when 16
// pictures in a row cannot be made unique or, with a grade, kMaxGradedPictures pictures bring
// none of that grade (tiny sizes have no puzzles of the hard grades).
GenerateResult generatePuzzle(const GenerateOptions& options);

} // namespace zumeli::solver
