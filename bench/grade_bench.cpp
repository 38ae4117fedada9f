// What the difficulty grade costs next to the solve: per puzzle file, the in-process time of
// the solve and of gradeDifficulty after it (as zumeli-solve runs them, the file's own picture
// as the known solution), the median of several runs each, and their ratio.
// Usage: grade_bench [--runs N] FILE...   (bench/grade-bench runs it over the solve-bench set)
#include "bench/bench_stats.h"
#include "formats/puzzle_formats.h"
#include "solve/engine/difficulty.h"
#include "solve/engine/line_state.h"
#include "solve/engine/solver.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace zumeli::solver;

struct Timings {
    std::vector<double> solveMs;
    std::vector<double> gradeMs;
    SolveResult last;
    std::string grade;
};

Timings timeRuns(const Puzzle& puzzle, int runs)
{
    const CellGrid goal = CellGrid::fromGoal(puzzle);
    SolveOptions options;
    options.learnDifficulty = true;
    if (!goal.cells.empty())
        options.knownSolution = &goal;
    Timings t;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        t.last = solve(puzzle, options);
        t.solveMs.push_back(millisecondsSince(start));
        if (t.last.verdict != Verdict::Unique) {
            t.gradeMs.push_back(0);
            continue;
        }
        const auto gradeStart = Clock::now();
        const auto grade = gradeDifficulty(puzzle, t.last, options);
        t.gradeMs.push_back(millisecondsSince(gradeStart));
        t.grade = grade ? grade->name : "stopped";
    }
    return t;
}

void printTimes(const std::string& path, int runs)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const Puzzle puzzle = zumeli::puzzleFromPuzzleFile(path, text.str());
    const Timings t = timeRuns(puzzle, runs);
    const double solveMs = zumeli::bench::median(t.solveMs);
    const double gradeMs = zumeli::bench::median(t.gradeMs);
    std::printf("%-34s %-9s %-13s %11.3f %11.3f %8.3f\n",
                std::filesystem::path(path).stem().string().c_str(), verdictName(t.last.verdict),
                t.grade.empty() ? "-" : t.grade.c_str(), solveMs, gradeMs, solveMs > 0 ? gradeMs / solveMs : 0.0);
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 7;
    int status = 0;
    std::printf("%-34s %-9s %-13s %11s %11s %8s\n", "puzzle", "verdict", "grade", "solve ms", "grade ms",
                "grade/solve");
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
            continue;
        }
        try {
            printTimes(argv[i], runs);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "grade_bench: %s: %s\n", argv[i], e.what());
            status = 1;
        }
    }
    return status;
}
