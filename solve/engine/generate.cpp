// Random puzzles: a smoothed random field thresholded to a picture, then made unique.
#include "solve/engine/generate.h"

#include "solve/engine/difficulty.h"
#include "solve/engine/make_unique.h"
#include "solve/engine/solver.h"
#include "solve/engine/split_mix.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zumeli::solver {

namespace {

// Pictures drawn for one puzzle before giving up (one nearly always does).
constexpr int kMaxPictures = 16;

// Smoothstep on 0..1024 in whole numbers: 3t^2 - 2t^3, scaled.
std::int64_t smooth(std::int64_t t)
{
    return t * t * (3 * 1024 - 2 * t) / (1024 * 1024);
}

// Value noise in whole numbers only, so every machine draws the same field: random values on
// a lattice of `spacing` cells, shifted by a random offset, blended smoothly between lattice
// points. Adds amplitude * (0..65535) to each cell of `field`.
void addOctave(std::vector<std::int64_t>& field, int width, int height, int spacing, int amplitude,
               SplitMix64& random)
{
    const int offsetX = static_cast<int>(random.below(static_cast<std::uint32_t>(spacing)));
    const int offsetY = static_cast<int>(random.below(static_cast<std::uint32_t>(spacing)));
    const int latticeWidth = (width + offsetX) / spacing + 2;
    const int latticeHeight = (height + offsetY) / spacing + 2;
    std::vector<std::int64_t> lattice(static_cast<std::size_t>(latticeWidth) * latticeHeight);
    for (auto& v : lattice)
        v = random.below(65536);
    auto at = [&](int gx, int gy) { return lattice[static_cast<std::size_t>(gy) * latticeWidth + gx]; };
    for (int y = 0; y < height; ++y) {
        const int gy = (y + offsetY) / spacing;
        const std::int64_t ty = smooth(((y + offsetY) % spacing) * 1024 / spacing);
        for (int x = 0; x < width; ++x) {
            const int gx = (x + offsetX) / spacing;
            const std::int64_t tx = smooth(((x + offsetX) % spacing) * 1024 / spacing);
            const std::int64_t top = at(gx, gy) * (1024 - tx) + at(gx + 1, gy) * tx;
            const std::int64_t bottom = at(gx, gy + 1) * (1024 - tx) + at(gx + 1, gy + 1) * tx;
            const std::int64_t value = (top * (1024 - ty) + bottom * ty) / (1024 * 1024);
            field[static_cast<std::size_t>(y) * width + x] += value * amplitude;
        }
    }
}

// How a picture is drawn and made unique.
struct PictureStyle {
    int spacingDivisor = 1;    // the coarsest octave's spacing is divided by this
    int lowestPercent = 50;    // cells filled: lowestPercent..highestPercent
    int highestPercent = 60;
    bool lineSolvable = false; // made unique for line logic alone
    bool hard = false;         // against second solutions, flips line logic gains least from
};

// The style for a grade: the default blobs for the easiest; for the harder ones finer fields
// with fewer cells filled, whose lines have more runs with more room, made unique by line
// logic (lines) or by flips against second solutions that help line logic least (probing,
// search). Each is the setting that reached its grade most often in trials at 15 x 15 and
// 30 x 30 (bench/generate-bench measures them).
PictureStyle styleForGrade(int grade, bool lineSolvable)
{
    switch (grade) {
    case 1: return {1, 50, 60, true, false};
    case 2: return {2, 40, 50, true, false};
    case 3: return {2, 38, 48, false, true};
    case 4: return {2, 32, 42, false, true};
    default: return {1, 50, 60, lineSolvable, false};
    }
}

// A picture of blobs: three octaves of value noise, the highest 50..60 % of cells filled (or
// as the style says).
CellGrid drawPicture(int width, int height, const PictureStyle& style, SplitMix64& random)
{
    std::vector<std::int64_t> field(static_cast<std::size_t>(width) * height, 0);
    const int base = std::max(1, std::clamp(static_cast<int>(std::lround(std::sqrt(double(width) * height) / 6)), 2, 7)
                                     / style.spacingDivisor);
    addOctave(field, width, height, base, 4, random);
    if (base >= 4)
        addOctave(field, width, height, base / 2, 2, random);
    addOctave(field, width, height, std::max(1, base / 4), 1, random);
    const int percent = style.lowestPercent
        + static_cast<int>(random.below(static_cast<std::uint32_t>(style.highestPercent - style.lowestPercent + 1)));
    const std::size_t cells = field.size();
    const std::size_t filledCount = (cells * static_cast<std::size_t>(percent) + 50) / 100;
    std::vector<std::pair<std::int64_t, std::size_t>> order;
    order.reserve(cells);
    for (std::size_t i = 0; i < cells; ++i)
        order.emplace_back(-field[i], i);
    std::sort(order.begin(), order.end());
    CellGrid picture(width, height, Cell::Empty);
    for (std::size_t i = 0; i < filledCount; ++i)
        picture.cells[order[i].second] = Cell::Filled;
    return picture;
}

// Throws std::invalid_argument for a size or a grade the generator does not make.
void checkGenerateOptions(const GenerateOptions& options)
{
    if (options.width < kMinGenerateSide || options.width > kMaxGenerateSide
        || options.height < kMinGenerateSide || options.height > kMaxGenerateSide)
        throw std::invalid_argument("puzzle size " + std::to_string(options.width) + " x "
                                    + std::to_string(options.height) + " is outside "
                                    + std::to_string(kMinGenerateSide) + ".."
                                    + std::to_string(kMaxGenerateSide) + " cells a side");
    if (options.difficulty < 0 || options.difficulty > 4)
        throw std::invalid_argument("no difficulty grade " + std::to_string(options.difficulty));
}

} // namespace

GenerateResult generatePuzzle(const GenerateOptions& options)
{
    checkGenerateOptions(options);
    SplitMix64 random(mix64(options.seed));
    const PictureStyle style = styleForGrade(options.difficulty, options.lineSolvable);
    MakeUniqueOptions repair;
    repair.lineSolvable = style.lineSolvable;
    repair.cancel = options.cancel;
    // The repair of the mode asked for alone: in unique mode the line-logic try would make
    // the puzzles easier (and take longer), and it would change what each seed gives.
    repair.fewestOfBothModes = false;
    repair.keepLineLogicBehind = style.hard;
    GenerateResult result;
    const int mostPictures = options.difficulty == 0 ? kMaxPictures : kMaxGradedPictures;
    int failedInARow = 0;
    for (int attempt = 0; attempt < mostPictures && failedInARow < kMaxPictures; ++attempt) {
        const CellGrid drawn = drawPicture(options.width, options.height, style, random);
        MakeUniqueResult made = makeUnique(drawn, repair);
        if (made.cancelled)
            return result;
        result.pictures = attempt + 1;
        failedInARow = made.done ? 0 : failedInARow + 1;
        if (!made.done)
            continue;
        Puzzle puzzle = puzzleFromPicture(made.picture);
        if (options.difficulty != 0) {
            SolveOptions solveOptions;
            solveOptions.cancel = options.cancel;
            solveOptions.knownSolution = &made.picture;
            solveOptions.learnDifficulty = true;
            const SolveResult solved = solve(puzzle, solveOptions);
            if (solved.stopReason == StopReason::Cancelled)
                return result;
            const std::optional<Difficulty> grade = gradeDifficulty(puzzle, solved, solveOptions);
            if (!grade)
                return result; // only a cancel stops the grading: it has no other limit here
            if (grade->grade != options.difficulty)
                continue;
            result.difficulty = grade->grade;
        }
        result.done = true;
        result.picture = std::move(made.picture);
        result.puzzle = std::move(puzzle);
        result.puzzle.goal.reserve(result.picture.cells.size());
        for (const Cell c : result.picture.cells)
            result.puzzle.goal.push_back(c == Cell::Filled ? '1' : '0');
        return result;
    }
    if (options.difficulty != 0 && failedInARow < kMaxPictures)
        throw std::runtime_error("no puzzle of difficulty " + std::string(difficultyName(options.difficulty))
                                 + " found for seed " + std::to_string(options.seed) + " in "
                                 + std::to_string(mostPictures) + " pictures");
    throw std::runtime_error("no unique puzzle found for seed " + std::to_string(options.seed));
}

} // namespace zumeli::solver
