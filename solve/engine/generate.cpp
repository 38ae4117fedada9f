// Random puzzles: a smoothed random field thresholded to a picture, then made unique.
#include "solve/engine/generate.h"

#include "solve/engine/make_unique.h"
#include "solve/engine/split_mix.h"

#include <algorithm>
#include <cmath>
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

// A picture of blobs: three octaves of value noise, the highest 50..60 % of cells filled.
CellGrid drawPicture(int width, int height, SplitMix64& random)
{
    std::vector<std::int64_t> field(static_cast<std::size_t>(width) * height, 0);
    const int base = std::clamp(static_cast<int>(std::lround(std::sqrt(double(width) * height) / 6)), 2, 7);
    addOctave(field, width, height, base, 4, random);
    if (base >= 4)
        addOctave(field, width, height, base / 2, 2, random);
    addOctave(field, width, height, std::max(1, base / 4), 1, random);
    const int percent = 50 + static_cast<int>(random.below(11));
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

} // namespace

GenerateResult generatePuzzle(const GenerateOptions& options)
{
    if (options.width < kMinGenerateSide || options.width > kMaxGenerateSide
        || options.height < kMinGenerateSide || options.height > kMaxGenerateSide)
        throw std::invalid_argument("puzzle size " + std::to_string(options.width) + " x "
                                    + std::to_string(options.height) + " is outside "
                                    + std::to_string(kMinGenerateSide) + ".."
                                    + std::to_string(kMaxGenerateSide) + " cells a side");
    SplitMix64 random(mix64(options.seed));
    MakeUniqueOptions repair;
    repair.lineSolvable = options.lineSolvable;
    repair.cancel = options.cancel;
    // Search allowed: the unique mode's own repair, which leaves the search its share.
    repair.fewestOfBothModes = false;
    GenerateResult result;
    for (int attempt = 0; attempt < kMaxPictures; ++attempt) {
        const CellGrid drawn = drawPicture(options.width, options.height, random);
        MakeUniqueResult made = makeUnique(drawn, repair);
        if (made.cancelled)
            return result;
        if (!made.done)
            continue;
        result.done = true;
        result.picture = std::move(made.picture);
        result.puzzle = puzzleFromPicture(result.picture);
        result.puzzle.goal.reserve(result.picture.cells.size());
        for (const Cell c : result.picture.cells)
            result.puzzle.goal.push_back(c == Cell::Filled ? '1' : '0');
        return result;
    }
    throw std::runtime_error("no unique puzzle found for seed " + std::to_string(options.seed));
}

} // namespace zumeli::solver
