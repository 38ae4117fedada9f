// The work the solver does on each puzzle file, as counts that are the same on every run and
// machine: branches taken, contradictions met, line solver calls, and the grade. Two builds
// that must search alike (a change that only moves code) print the same lines.
// A picture file (.txt, rows of '#' and '.') stands for the clues derived from it, with the
// picture known; with --make-unique the changes make-unique proposes for it in both modes are
// counted too (how many cells, a checksum of which, the verdict).
// With --graded each puzzle is solved as zumeli-solve solves it: the grade learned on the way
// (the simple line rules, then probing before the search), the work it does counted alone.
// With --tie-break-seed S (not 0) the search takes cells it rates alike in another order:
// summed over a few seeds, the work tells a change that saves work from one that only met
// luckier ties on these files.
// Usage: search_stats [--make-unique | --graded] [--tie-break-seed S] FILE...
#include "formats/puzzle_formats.h"
#include "solve/engine/difficulty.h"
#include "solve/engine/make_unique.h"
#include "solve/engine/solver.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using namespace zumeli::solver;

// What the command line asks for (see the usage above).
struct Mode {
    bool withMakeUnique = false;
    bool graded = false;
    std::uint64_t tieBreakSeed = 0;
};

// One puzzle's counts: the solve of its clues alone, then the same with its own picture (when
// it has one) as the known solution, as the puzzle check runs it. Graded, the solve alone.
void printSolveCounts(const std::string& name, const Puzzle& puzzle, const CellGrid& goal, const Mode& mode)
{
    SolveOptions options;
    options.learnDifficulty = mode.graded;
    options.tieBreakSeed = mode.tieBreakSeed;
    const SolveResult result = solve(puzzle, options);
    std::printf("%-28s %-8s decisions %8llu conflicts %8llu line-solves %10llu", name.c_str(),
                verdictName(result.verdict), static_cast<unsigned long long>(result.stats.nodes),
                static_cast<unsigned long long>(result.stats.conflicts),
                static_cast<unsigned long long>(result.stats.lineSolves));
    if (mode.graded) {
        std::printf(" grade %d\n", result.difficulty);
        return;
    }
    if (result.verdict == Verdict::Unique) {
        const auto grade = gradeDifficulty(puzzle, result);
        std::printf(" grade %s", grade ? grade->name : "stopped");
    }
    std::fputc('\n', stdout);
    if (goal.cells.empty())
        return;
    SolveOptions known;
    known.knownSolution = &goal;
    known.tieBreakSeed = mode.tieBreakSeed;
    const SolveResult near = solve(puzzle, known);
    std::printf("%-28s %-8s decisions %8llu conflicts %8llu line-solves %10llu (picture known)\n",
                name.c_str(), verdictName(near.verdict), static_cast<unsigned long long>(near.stats.nodes),
                static_cast<unsigned long long>(near.stats.conflicts),
                static_cast<unsigned long long>(near.stats.lineSolves));
}

// The cells make-unique changes in `picture`, in one mode: how many, and a checksum of which.
void printMakeUniqueCounts(const std::string& name, const CellGrid& picture, bool lineSolvable)
{
    MakeUniqueOptions options;
    options.lineSolvable = lineSolvable;
    const MakeUniqueResult made = makeUnique(picture, options);
    unsigned long long checksum = 0;
    for (const int cell : made.changed)
        checksum = checksum * 1000003ULL + static_cast<unsigned long long>(cell);
    std::printf("%-28s make-unique%s done %d changed %4zu checksum %20llu verdict %s\n", name.c_str(),
                lineSolvable ? " --line-solvable" : "", made.done ? 1 : 0, made.changed.size(), checksum,
                verdictName(made.verdict));
}

void printCounts(const std::string& path, const Mode& mode)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string name = std::filesystem::path(path).filename().string();
    if (!std::string_view(path).ends_with(".txt")) {
        const Puzzle puzzle = zumeli::puzzleFromPuzzleFile(path, text.str());
        printSolveCounts(name, puzzle, CellGrid::fromGoal(puzzle), mode);
        return;
    }
    const CellGrid picture = CellGrid::fromAscii(text.str());
    printSolveCounts(name, puzzleFromPicture(picture), picture, mode);
    if (mode.withMakeUnique) {
        printMakeUniqueCounts(name, picture, false);
        printMakeUniqueCounts(name, picture, true);
    }
}

} // namespace

int main(int argc, char** argv)
{
    int status = 0;
    Mode mode;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--make-unique" || arg == "--graded") {
            (arg == "--graded" ? mode.graded : mode.withMakeUnique) = true;
            continue;
        }
        if (arg == "--tie-break-seed") {
            char* end = nullptr;
            mode.tieBreakSeed = i + 1 < argc ? std::strtoull(argv[i + 1], &end, 10) : 0;
            if (end == nullptr || *end != '\0' || end == argv[i + 1]) {
                std::fprintf(stderr, "search_stats: --tie-break-seed needs a number\n");
                return 2;
            }
            ++i;
            continue;
        }
        try {
            printCounts(argv[i], mode);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "search_stats: %s: %s\n", argv[i], e.what());
            status = 1;
        }
    }
    return status;
}
