// The generator benchmark: per size and target difficulty grade, the share of seeds that give
// a puzzle of that grade, the pictures drawn per puzzle and the time per puzzle; and the grades
// the two modes without a target give. Every puzzle is checked by the solver and graded again.
// Prints the figures; wall-clock times.
#include "bench/bench_stats.h"

#include "solve/engine/difficulty.h"
#include "solve/engine/generate.h"
#include "solve/engine/solver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace zumeli::solver;

namespace {

using zumeli::bench::median;
using zumeli::bench::worst;

// The grade of a generated puzzle from its clues alone, or 0 when it is not unique.
int gradeOf(const Puzzle& puzzle)
{
    const SolveResult solved = solve(puzzle);
    if (solved.verdict != Verdict::Unique)
        return 0;
    const std::optional<Difficulty> grade = gradeDifficulty(puzzle, solved);
    return grade ? grade->grade : 0;
}

struct Run {
    bool done = false;
    int grade = 0;
    int pictures = 0;
    double ms = 0;
};

Run generate(int side, int seed, int difficulty, bool lineSolvable)
{
    GenerateOptions options;
    options.width = side;
    options.height = side;
    options.seed = static_cast<std::uint64_t>(seed);
    options.difficulty = difficulty;
    options.lineSolvable = lineSolvable;
    Run run;
    const auto start = std::chrono::steady_clock::now();
    try {
        const GenerateResult r = generatePuzzle(options);
        run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        run.done = r.done;
        run.pictures = r.pictures;
        run.grade = gradeOf(r.puzzle);
    } catch (const std::runtime_error&) {
        run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        run.pictures = difficulty ? kMaxGradedPictures : 0;
    }
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<int> sizes = {15, 30, 50};
    int seeds = 6;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seeds" && i + 1 < argc) {
            seeds = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--sizes" && i + 1 < argc) {
            sizes.clear();
            std::stringstream list(argv[++i]);
            std::string side;
            while (std::getline(list, side, ','))
                sizes.push_back(std::clamp(std::atoi(side.c_str()), kMinGenerateSide, kMaxGenerateSide));
        } else {
            std::fprintf(stderr, "usage: generate_bench [--seeds N] [--sizes 15,30,50]\n");
            return 2;
        }
    }
    std::printf("seeds 1..%d per size and target\n", seeds);
    for (const int side : sizes) {
        std::printf("\n%dx%d\n", side, side);
        for (const bool line : {true, false}) {
            int byGrade[5] = {0, 0, 0, 0, 0};
            std::vector<double> ms;
            for (int seed = 1; seed <= seeds; ++seed) {
                const Run run = generate(side, seed, 0, line);
                ++byGrade[run.grade];
                ms.push_back(run.ms);
            }
            std::printf("  no target, %-17s grades simple-lines %d, lines %d, probing %d, search %d; "
                        "median %.0f ms, worst %.0f ms\n",
                        line ? "line logic alone:" : "search allowed:", byGrade[1], byGrade[2], byGrade[3],
                        byGrade[4], median(ms), worst(ms));
            std::fflush(stdout);
        }
        for (int grade = 1; grade <= 4; ++grade) {
            int reached = 0;
            long pictures = 0;
            std::vector<double> ms;
            for (int seed = 1; seed <= seeds; ++seed) {
                const Run run = generate(side, seed, grade, false);
                reached += run.done && run.grade == grade;
                pictures += run.pictures;
                ms.push_back(run.ms);
            }
            std::printf("  %-12s reached by %d of %d seeds (%3.0f %%), %5.1f pictures a puzzle, "
                        "median %.0f ms, worst %.0f ms\n",
                        difficultyName(grade), reached, seeds, 100.0 * reached / seeds,
                        static_cast<double>(pictures) / seeds, median(ms), worst(ms));
            std::fflush(stdout);
        }
    }
    return 0;
}
