// zumeli-solve: decides .zml, .non and webpbn XML puzzle files from the command line.
#include "formats/puzzle_formats.h"
#include "solve/engine/difficulty.h"
#include "solve/engine/solver.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifndef ZUMELI_VERSION
#error "ZUMELI_VERSION must name the project version"
#endif

namespace {

constexpr long kMaxFileBytes = 64L * 1024 * 1024;

// What the command line asked for.
struct Options {
    enum class Mode { Decide, Help, Version };
    Mode mode = Mode::Decide;
    bool print = false;
    double timeoutSeconds = 0;  // 0: no limit
    std::vector<const char*> files;
};

void usage()
{
    std::fputs("usage: zumeli-solve [--print] [--timeout SECONDS] FILE...\n"
               "Decides each puzzle file (.zml, .non or webpbn XML) and prints one line per file:\n"
               "name, verdict (unique, multiple, none, timeout), line-solvable or needs-search,\n"
               "size WxH and solving time; for a unique puzzle also difficulty:NAME, the least\n"
               "reasoning that solves it: simple-lines, lines, probing or search (easiest first).\n"
               "--print adds the solution(s) as rows of '#' and '.'.\n"
               "Exit status 0 when every file was read and decided.\n",
               stderr);
}

// The options, or nothing after reporting what is wrong (exit status 2).
std::optional<Options> parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--print") {
            options.print = true;
        } else if (arg == "--timeout") {
            if (i + 1 >= argc) {
                std::fputs("zumeli-solve: --timeout needs a number of seconds\n", stderr);
                return std::nullopt;
            }
            char* end = nullptr;
            options.timeoutSeconds = std::strtod(argv[++i], &end);
            if (end == argv[i] || *end != '\0' || !std::isfinite(options.timeoutSeconds)
                || options.timeoutSeconds <= 0) {
                std::fprintf(stderr, "zumeli-solve: bad --timeout value \"%s\"\n", argv[i]);
                return std::nullopt;
            }
        } else if (arg == "--help" || arg == "-h") {
            options.mode = Options::Mode::Help;
            return options;
        } else if (arg == "--version") {
            options.mode = Options::Mode::Version;
            return options;
        } else if (arg == "--") {
            for (++i; i < argc; ++i)
                options.files.push_back(argv[i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "zumeli-solve: unknown option %s\n", argv[i]);
            usage();
            return std::nullopt;
        } else {
            options.files.push_back(argv[i]);
        }
    }
    if (options.files.empty()) {
        usage();
        return std::nullopt;
    }
    return options;
}

// The whole file, or an error message in `error`.
bool readFile(const char* path, std::string& text, std::string& error)
{
    std::FILE* f = std::fopen(path, "rb");
    if (!f) {
        error = std::strerror(errno);
        return false;
    }
    text.clear();
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        text.append(buffer, got);
        if (static_cast<long>(text.size()) > kMaxFileBytes) {
            std::fclose(f);
            error = "file larger than 64 MB";
            return false;
        }
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = "read error";
        return false;
    }
    return true;
}

// The puzzle of one file in any format, or nothing after reporting why it cannot be read.
std::optional<zumeli::solver::Puzzle> readPuzzleFile(const char* path)
{
    std::string text;
    std::string error;
    if (!readFile(path, text, error)) {
        std::fprintf(stderr, "zumeli-solve: %s: %s\n", path, error.c_str());
        return std::nullopt;
    }
    try {
        return zumeli::puzzleFromPuzzleFile(path, text);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zumeli-solve: %s: %s\n", path, e.what());
        return std::nullopt;
    }
}

void printPicture(const zumeli::solver::CellGrid& grid)
{
    const std::string text = grid.toAscii();
    std::fwrite(text.data(), 1, text.size(), stdout);
}

// Decides every file: one line each, the solutions after it with --print. Exit status 2 when
// a file could not be read, else 1 when a search ran out of time, else 0.
int decideFiles(const Options& options)
{
    int status = 0;
    for (const char* path : options.files) {
        const std::optional<zumeli::solver::Puzzle> puzzle = readPuzzleFile(path);
        if (!puzzle) {
            status = 2;
            continue;
        }
        zumeli::solver::SolveOptions solveOptions;
        solveOptions.timeLimitSeconds = options.timeoutSeconds;
        const zumeli::solver::CellGrid goal = zumeli::solver::CellGrid::fromGoal(*puzzle);
        if (!goal.cells.empty())
            solveOptions.knownSolution = &goal; // the file's own picture, when it fits the clues
        const zumeli::solver::SolveResult result = zumeli::solver::solve(*puzzle, solveOptions);
        std::printf("%s %s %s %dx%d %.3f ms", path, zumeli::solver::verdictName(result.verdict),
                    result.lineSolvable ? "line-solvable" : "needs-search", puzzle->width(),
                    puzzle->height(), result.elapsedMs);
        if (result.verdict == zumeli::solver::Verdict::Unique) {
            const auto difficulty = zumeli::solver::gradeDifficulty(*puzzle, result, solveOptions);
            std::printf(" difficulty:%s", difficulty ? difficulty->name : "timeout");
        }
        std::fputc('\n', stdout);
        if (options.print) {
            for (std::size_t i = 0; i < result.solutions.size(); ++i) {
                if (i > 0)
                    std::fputc('\n', stdout);
                printPicture(result.solutions[i]);
            }
        }
        if (result.verdict == zumeli::solver::Verdict::Stopped && status == 0)
            status = 1;
    }
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options)
        return 2;
    switch (options->mode) {
    case Options::Mode::Help: usage(); return 0;
    case Options::Mode::Version: std::puts("zumeli-solve " ZUMELI_VERSION); return 0;
    case Options::Mode::Decide: break;
    }
    return decideFiles(*options);
}
