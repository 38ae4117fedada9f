// The generation of a random puzzle as a background run, for the progress box of 問題 →
// ランダム問題.
#pragma once

#include "author/random_puzzle.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace zumeli {

class BackgroundTask;

// What a generation came to: the board, nothing when it was cancelled, or a failure (no puzzle
// of the grade asked for turned up, or memory ran out).
struct RandomPuzzleOutcome {
    std::optional<BoardModel> board;
    bool failed = false;
};

// Generates the board of a random puzzle from `seed` as `task`'s run; `done` gets what it came
// to on the owner's thread, unless the run is replaced or discarded first.
void runRandomPuzzle(BackgroundTask& task, const RandomPuzzleSettings& settings, std::uint64_t seed,
                     std::function<void(const RandomPuzzleOutcome&)> done);

} // namespace zumeli
