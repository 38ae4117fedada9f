// The random-puzzle generation on the background runner.
#include "tasks/random_puzzle_task.h"

#include "tasks/background_task.h"

#include <exception>

namespace zumeli {

void runRandomPuzzle(BackgroundTask& task, const RandomPuzzleSettings& settings, std::uint64_t seed,
                     std::function<void(const RandomPuzzleOutcome&)> done)
{
    task.start([settings, seed, done = std::move(done)](
                   const std::atomic<bool>& cancel, const std::function<void(double)>&) -> std::function<void()> {
        RandomPuzzleOutcome outcome;
        try {
            outcome.board = randomPuzzleBoard(settings, seed, &cancel);
        } catch (const std::exception&) {
            outcome.failed = true;  // no puzzle of the grade, or out of memory
        }
        return [done, outcome] { done(outcome); };
    });
}

} // namespace zumeli
