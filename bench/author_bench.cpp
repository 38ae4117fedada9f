// The authoring benchmark: makeUnique in both modes over a folder of picture files (share made
// unique, share of cells changed, time per size class), then generatePuzzle at 30 x 30 and
// 80 x 80. Every result is checked by the solver. Prints the figures; wall-clock times.
#include "bench/bench_stats.h"

#include "formats/picture_text.h"
#include "solve/engine/generate.h"
#include "solve/engine/make_unique.h"
#include "solve/engine/solver.h"
#include "solve/engine/split_mix.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace zumeli::solver;
namespace fs = std::filesystem;

namespace {

using zumeli::bench::median;
using zumeli::bench::worst;

struct Picture {
    std::string name;
    CellGrid grid;
};

// The size class of a picture: the nearest of 20, 30, 45, 60 and 80 cells a side by area.
int sizeClass(const CellGrid& g)
{
    const double side = std::sqrt(static_cast<double>(g.width) * g.height);
    int best = 20;
    for (const int c : {20, 30, 45, 60, 80})
        if (std::abs(side - c) < std::abs(side - best))
            best = c;
    return best;
}

// Pictures to use when the corpus folder holds none: noise of several densities, raw and
// smoothed by one majority pass, at the size classes.
std::vector<Picture> syntheticPictures()
{
    std::vector<Picture> out;
    std::uint64_t seed = 1;
    for (const int side : {20, 30, 45, 60, 80}) {
        for (const bool smooth : {true, false}) {
            for (const int percent : {30, 50, 70}) {
                SplitMix64 random(++seed);
                CellGrid g(side, side, Cell::Empty);
                for (Cell& c : g.cells)
                    c = static_cast<int>(random.below(100)) < percent ? Cell::Filled : Cell::Empty;
                if (smooth) {
                    CellGrid s = g;
                    for (int y = 0; y < side; ++y)
                        for (int x = 0; x < side; ++x) {
                            int filled = 0;
                            int all = 0;
                            for (int dy = -1; dy <= 1; ++dy)
                                for (int dx = -1; dx <= 1; ++dx) {
                                    const int nx = x + dx;
                                    const int ny = y + dy;
                                    if (nx < 0 || ny < 0 || nx >= side || ny >= side)
                                        continue;
                                    ++all;
                                    filled += g.at(nx, ny) == Cell::Filled;
                                }
                            s.at(x, y) = 2 * filled > all ? Cell::Filled : Cell::Empty;
                        }
                    g = s;
                }
                out.push_back({std::to_string(side) + (smooth ? "-smooth-" : "-noise-") + std::to_string(percent), g});
            }
        }
    }
    return out;
}

std::vector<Picture> corpusPictures(const fs::path& folder)
{
    std::vector<Picture> out;
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return out;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".txt")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        try {
            out.push_back({file.filename().string(), zumeli::parsePictureText(text.str())});
        } catch (const std::exception& e) {
            std::fprintf(stderr, "author-bench: %s skipped: %s\n", file.c_str(), e.what());
        }
    }
    return out;
}

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Whether the solver, with no limits, finds the clues of `picture` unique (by line logic
// alone when `line`).
bool verified(const CellGrid& picture, bool line)
{
    const SolveResult r = solve(puzzleFromPicture(picture));
    return r.verdict == Verdict::Unique && (!line || r.lineSolvable) && r.solutions.front() == picture;
}

// Cells changed in each picture (-1 where the run gave up).
struct ChangeCounts {
    std::vector<long> changed;
    std::vector<long> changedAlone; // unique mode: by its own repair alone (fewestOfBothModes off)
};

long changeCount(const MakeUniqueResult& r) { return r.done ? static_cast<long>(r.changed.size()) : -1; }

// Runs makeUnique in one mode over every picture and prints the figures. The unique mode also
// runs its own repair alone, right after each picture's full run, for the time the line-logic
// comparison costs.
ChangeCounts benchMakeUnique(const std::vector<Picture>& pictures, bool line, bool verbose)
{
    std::printf("\nmake unique, %s (%zu pictures)\n", line ? "line logic alone" : "one solution", pictures.size());
    int made = 0;
    int wrong = 0;
    std::vector<double> shares;
    std::map<int, std::vector<double>> times;
    ChangeCounts counts;
    double aloneMs = 0;
    for (const Picture& p : pictures) {
        MakeUniqueOptions options;
        options.lineSolvable = line;
        const auto start = std::chrono::steady_clock::now();
        const MakeUniqueResult r = makeUnique(p.grid, options);
        const double ms = msSince(start);
        const double share = 100.0 * static_cast<double>(r.changed.size()) / static_cast<double>(p.grid.cells.size());
        if (r.done) {
            ++made;
            if (!verified(r.picture, line))
                ++wrong;
        }
        shares.push_back(share);
        times[sizeClass(p.grid)].push_back(ms);
        counts.changed.push_back(changeCount(r));
        if (!line) {
            options.fewestOfBothModes = false;
            const auto aloneStart = std::chrono::steady_clock::now();
            counts.changedAlone.push_back(changeCount(makeUnique(p.grid, options)));
            aloneMs += msSince(aloneStart);
        }
        if (verbose)
            std::printf("  %-40s %3dx%-3d %s changed %4zu (%5.2f %%) %9.1f ms\n", p.name.c_str(), p.grid.width,
                        p.grid.height, r.done ? "done  " : "FAILED", r.changed.size(), share, ms);
        std::fflush(stdout);
    }
    std::printf("  made unique: %d of %zu (%.1f %%)%s\n", made, pictures.size(),
                pictures.empty() ? 0.0 : 100.0 * made / static_cast<double>(pictures.size()),
                wrong ? "  -- SOLVER DISAGREES ON SOME!" : ", every one confirmed by the solver");
    std::printf("  cells changed: median %.2f %%, worst %.2f %%\n", median(shares), worst(shares));
    double total = 0;
    for (const auto& [size, ms] : times)
        for (const double t : ms)
            total += t;
    if (line)
        std::printf("  time: %.1f s in all\n", total / 1000);
    else
        std::printf("  time: %.1f s in all; its own repair alone %.1f s (the line-logic comparison adds %.0f %%)\n",
                    total / 1000, aloneMs / 1000, aloneMs > 0 ? 100.0 * (total - aloneMs) / aloneMs : 0.0);
    for (const auto& [size, ms] : times)
        std::printf("  ~%dx%d (%zu): median %.0f ms, worst %.0f ms\n", size, size, ms.size(), median(ms), worst(ms));
    return counts;
}

// A puzzle line logic solves is also unique, so the unique mode should never need more
// changes than the line-logic mode found: counts the pictures where it did (or gave up where
// the line-logic mode succeeded), and where its own repair alone did.
void compareModes(const std::vector<Picture>& pictures, const ChangeCounts& unique, const ChangeCounts& line,
                  bool verbose)
{
    auto count = [&](const std::vector<long>& changed, const char* what) {
        int more = 0;
        long excess = 0;
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            const long l = line.changed[i];
            if (l < 0 || (changed[i] >= 0 && changed[i] <= l))
                continue;
            ++more;
            excess += changed[i] < 0 ? 0 : changed[i] - l;
            if (verbose)
                std::printf("  %-40s %s %ld, line logic %ld\n", pictures[i].name.c_str(), what, changed[i], l);
        }
        std::printf("  %s changed more cells than the line-logic mode: %d of %zu pictures (%.1f %%), %ld cells "
                    "more in all\n",
                    what, more, pictures.size(),
                    pictures.empty() ? 0.0 : 100.0 * more / static_cast<double>(pictures.size()), excess);
    };
    std::printf("\nunique mode against line-logic mode\n");
    count(unique.changedAlone, "the unique mode's own repair alone");
    count(unique.changed, "the unique mode");
}

void benchGenerate(int runs)
{
    for (const bool line : {false, true}) {
        std::printf("\ngenerate, %s (%d seeds each)\n", line ? "line logic alone" : "one solution", runs);
        for (const int side : {30, 80}) {
            std::vector<double> ms;
            int unique = 0;
            for (int seed = 1; seed <= runs; ++seed) {
                GenerateOptions options;
                options.width = side;
                options.height = side;
                options.seed = static_cast<std::uint64_t>(seed);
                options.lineSolvable = line;
                const auto start = std::chrono::steady_clock::now();
                const GenerateResult r = generatePuzzle(options);
                ms.push_back(msSince(start));
                unique += r.done && verified(r.picture, line);
            }
            std::printf("  %dx%d: median %.0f ms, worst %.0f ms, verified unique %d of %d\n", side, side, median(ms),
                        worst(ms), unique, runs);
            std::fflush(stdout);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    fs::path folder = "bench/corpus";
    bool verbose = false;
    int generateRuns = 9;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-v")
            verbose = true;
        else if (arg == "--generate-runs" && i + 1 < argc)
            generateRuns = std::atoi(argv[++i]);
        else
            folder = arg;
    }
    std::vector<Picture> pictures = corpusPictures(folder);
    if (pictures.empty()) {
        std::printf("no picture files in %s: using %s\n", folder.c_str(), "30 synthetic pictures (noise and smoothed noise)");
        pictures = syntheticPictures();
    } else {
        std::printf("corpus %s: %zu pictures\n", folder.c_str(), pictures.size());
    }
    const ChangeCounts unique = benchMakeUnique(pictures, false, verbose);
    const ChangeCounts line = benchMakeUnique(pictures, true, verbose);
    compareModes(pictures, unique, line, verbose);
    benchGenerate(generateRuns);
    return 0;
}
