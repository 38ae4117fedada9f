// Reading the random-puzzle dialog's boxes and turning a generated puzzle into a board.
#include "author/random_puzzle.h"

#include "author/new_puzzle.h"
#include "formats/board_clues.h"
#include "solve/engine/generate.h"

namespace zumeli {

RandomPuzzleEntry checkRandomPuzzleEntries(const QString& clueSizeText, const QString& widthText,
                                           const QString& heightText, bool lineSolvable, int difficulty)
{
    const auto clueSize = boxInRange(clueSizeText, 1, kMaxClueSize);
    if (!clueSize)
        return {std::nullopt, translated(kClueSizeRangeMessage)};
    const auto width = boxInRange(widthText, kMinRandomSide, kMaxAnswerSide);
    if (!width)
        return {std::nullopt, translated(kRandomSideRangeMessage)};
    const auto height = boxInRange(heightText, kMinRandomSide, kMaxAnswerSide);
    if (!height)
        return {std::nullopt, translated(kRandomSideRangeMessage)};
    return {RandomPuzzleSettings{*clueSize, *width, *height, lineSolvable, difficulty}, QString()};
}

std::optional<BoardModel> randomPuzzleBoard(const RandomPuzzleSettings& settings, std::uint64_t seed,
                                            const std::atomic<bool>* cancel)
{
    solver::GenerateOptions options;
    options.width = settings.width;
    options.height = settings.height;
    options.lineSolvable = settings.lineSolvable;
    options.difficulty = settings.difficulty;
    options.cancel = cancel;
    // A picture with a line of more runs than the band can hold (more than 20) is drawn anew
    // from the next seed; the generator's smoothed pictures almost never have one.
    for (std::uint64_t attempt = 0;; ++attempt) {
        options.seed = seed + attempt;
        const solver::GenerateResult result = solver::generatePuzzle(options);
        if (!result.done)
            return std::nullopt;
        try {
            return boardFromPuzzle(result.puzzle, settings.clueSize);
        } catch (const BoardLimitError&) {
        }
    }
}

} // namespace zumeli
