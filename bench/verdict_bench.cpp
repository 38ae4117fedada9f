// Verdict times over the picture corpus: each picture's clues (as derived from the picture)
// decided once, then per size class (the longer side, to the nearest corpus size) the median and worst time and how many
// puzzles got each verdict.
// Usage: verdict_bench [--timeout SECONDS] [--known] [--list] FOLDER...
//   --known gives the solver the picture as a known solution (as the check window does with
//           the drawn picture): it counts as the first, and windows are tried around it.
//   --list  also prints one line per puzzle: name, verdict, milliseconds.
#include "bench/bench_stats.h"

#include "solve/engine/puzzle.h"
#include "solve/engine/solver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace {

using zumeli::bench::median;

using namespace zumeli::solver;

struct Run {
    std::string name;
    int side = 0;
    Verdict verdict = Verdict::Stopped;
    double ms = 0;
};

// The corpus sizes are 20, 30, 45, 60 and 80 cells on the longer side, give or take a few
// (a flat icon is scaled up until its shorter side has 20): a picture counts as the nearest.
int sizeClass(int side)
{
    const int nominal[] = {20, 30, 45, 60, 80};
    int best = nominal[0];
    for (const int n : nominal)
        if (std::abs(side - n) < std::abs(side - best))
            best = n;
    return best;
}

void printClass(const char* label, const std::vector<const Run*>& runs)
{
    std::vector<double> times;
    std::map<Verdict, int> counts;
    for (const Run* r : runs) {
        times.push_back(r->ms);
        ++counts[r->verdict];
    }
    const auto worst = std::max_element(runs.begin(), runs.end(), [](const Run* a, const Run* b) { return a->ms < b->ms; });
    std::printf("%-8s %6zu %12.1f %12.1f %7d %9d %5d %8d   %s\n", label, runs.size(), median(times), (*worst)->ms,
                counts[Verdict::Unique], counts[Verdict::Multiple], counts[Verdict::NoSolution],
                counts[Verdict::Stopped], (*worst)->name.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    double timeout = 60;
    bool list = false;
    bool known = false;
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--timeout" && i + 1 < argc) {
            timeout = std::atof(argv[++i]);
        } else if (arg == "--known") {
            known = true;
        } else if (arg == "--list") {
            list = true;
        } else {
            // An option we do not know, or a folder that is not there, gets the usage line
            // rather than an uncaught filesystem error.
            std::error_code error;
            if (arg.starts_with("-") || !std::filesystem::is_directory(arg, error)) {
                std::fprintf(stderr, "verdict_bench: not an option or a folder: %s\n", arg.c_str());
                std::fputs("usage: verdict_bench [--timeout SECONDS] [--known] [--list] FOLDER...\n", stderr);
                return 2;
            }
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.path().extension() == ".txt")
                    files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fputs("usage: verdict_bench [--timeout SECONDS] [--known] [--list] FOLDER...\n", stderr);
        return 2;
    }
    std::vector<Run> runs;
    for (const auto& path : files) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        const CellGrid picture = CellGrid::fromAscii(text.str());
        SolveOptions options;
        options.timeLimitSeconds = timeout;
        if (known)
            options.knownSolution = &picture;
        const SolveResult result = solve(puzzleFromPicture(picture), options);
        Run run{path.stem().string(), std::max(picture.width, picture.height), result.verdict, result.elapsedMs};
        if (list)
            std::printf("%-48s %-9s %10.1f\n", run.name.c_str(), verdictName(run.verdict), run.ms);
        runs.push_back(run);
    }
    std::printf("%-8s %6s %12s %12s %7s %9s %5s %8s   %s\n", "side", "count", "median ms", "worst ms", "unique",
                "multiple", "none", "timeout", "worst puzzle");
    std::map<int, std::vector<const Run*>> classes;
    std::vector<const Run*> all;
    for (const Run& r : runs) {
        classes[sizeClass(r.side)].push_back(&r);
        all.push_back(&r);
    }
    for (const auto& [limit, members] : classes)
        printClass(("~" + std::to_string(limit)).c_str(), members);
    printClass("all", all);
    return 0;
}
