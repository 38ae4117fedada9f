// zumeli-solve: decides .zml, .non and webpbn XML puzzle files from the command line, one by
// one or whole directories of them on several threads, and makes and generates puzzles with
// one solution (cli/author_commands.h).
#include "cli/author_commands.h"
#include "cli/input_file.h"
#include "cli/json_text.h"
#include "cli/ordered_pool.h"
#include "formats/puzzle_formats.h"
#include "solve/engine/difficulty.h"
#include "solve/engine/solver.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#ifndef ZUMELI_VERSION
#error "ZUMELI_VERSION must name the project version"
#endif

namespace {

namespace fs = std::filesystem;

constexpr long kMaxJobs = 1024;

// What the command line asked for.
struct Options {
    enum class Mode { Decide, Help, Version };
    enum class Format { Plain, Json };
    Mode mode = Mode::Decide;
    Format format = Format::Plain;
    bool print = false;
    double timeoutSeconds = 0; // 0: no limit
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
    std::vector<const char*> operands; // files and directories, in the order given
};

void usage()
{
    std::fputs(
        "usage: zumeli-solve [--print] [--timeout SECONDS] FILE...\n"
        "       zumeli-solve [-j N] [--format plain|json] [--print] [--timeout SECONDS] FILE|DIR...\n"
        "Decides each puzzle file (.zml, .non or webpbn XML) and prints one line per file:\n"
        "name, verdict (unique, multiple, none, timeout), line-solvable or needs-search,\n"
        "size WxH and solving time; for a unique puzzle also difficulty:NAME, the least\n"
        "reasoning that solves it: simple-lines, lines, probing or search (easiest first).\n"
        "--print adds the solution(s) as rows of '#' and '.'.\n"
        "\n"
        "A directory stands for the files under it, walked recursively and taken in byte order\n"
        "of their paths. There a file ending in .zml, .non or .xml that cannot be read is\n"
        "reported as unreadable, like a file named on the command line; any other file is read\n"
        "by its content when it is a puzzle and skipped without a message when not (answer\n"
        "states, .sts, are always skipped). Skipped files are only counted in the summary.\n"
        "\n"
        "  -j N, --jobs N        decide N files at a time (default: the number of cores);\n"
        "                        the output is in the order of the operands all the same\n"
        "  --timeout SECONDS     give up the search of each puzzle after SECONDS (verdict timeout:\n"
        "                        not decided; standard error says so for each such puzzle)\n"
        "  --print               print the solutions, or with --format json add them\n"
        "  --format plain|json   json: one object per line and file, with \"path\", \"verdict\",\n"
        "                        \"line_solvable\", \"width\", \"height\", \"time_ms\", for a unique\n"
        "                        puzzle \"difficulty\", and, with\n"
        "                        --print, \"solutions\" (arrays of row strings); a file that\n"
        "                        cannot be read has the verdict \"unreadable\" and an \"error\"\n"
        "\n"
        "Summary: given more than one operand or a directory, the output ends in the line\n"
        "  summary: U unique, M multiple, N none, T timeout, R unreadable, S skipped; P puzzles in X s\n"
        "where P counts all files but the skipped ones and X is the wall-clock time. With\n"
        "--format json the summary always ends the output, as {\"summary\": {...}}.\n"
        "Reasons a file cannot be read go to standard error in both formats.\n"
        "\n"
        "Exit status: 0 when every puzzle was read and decided; 1 when a puzzle timed out or a\n"
        "file or directory could not be read; 2 for bad arguments (an unknown option, a bad\n"
        "value, no file).\n",
        stderr);
    std::fputs("\n", stderr);
    std::fputs(zumeli::cli::authorUsage(), stderr);
}

// A whole number of jobs from 1 to kMaxJobs, or nothing.
std::optional<unsigned> parseJobs(const char* text)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < 1 || value > kMaxJobs)
        return std::nullopt;
    return static_cast<unsigned>(value);
}

// Each read* below reads the option at argv[i] and its value (the next argument, which it
// then steps i over, or the part after "=" or "-j"); false after reporting a missing or
// bad value.

bool readTimeout(int argc, char** argv, int& i, Options& options)
{
    if (i + 1 >= argc) {
        std::fputs("zumeli-solve: --timeout needs a number of seconds\n", stderr);
        return false;
    }
    char* end = nullptr;
    options.timeoutSeconds = std::strtod(argv[++i], &end);
    if (end == argv[i] || *end != '\0' || !std::isfinite(options.timeoutSeconds) || options.timeoutSeconds <= 0) {
        std::fprintf(stderr, "zumeli-solve: bad --timeout value \"%s\"\n", argv[i]);
        return false;
    }
    return true;
}

bool readJobs(int argc, char** argv, int& i, Options& options)
{
    const std::string_view arg = argv[i];
    const char* value = nullptr;
    if (arg == "-j" || arg == "--jobs") {
        if (i + 1 >= argc) {
            std::fprintf(stderr, "zumeli-solve: %s needs a number of jobs\n", argv[i]);
            return false;
        }
        value = argv[++i];
    } else {
        value = argv[i] + (arg.starts_with("--jobs=") ? 7 : 2);
    }
    const std::optional<unsigned> jobs = parseJobs(value);
    if (!jobs) {
        std::fprintf(stderr, "zumeli-solve: bad -j value \"%s\" (1 to %ld)\n", value, kMaxJobs);
        return false;
    }
    options.jobs = *jobs;
    return true;
}

bool readFormat(int argc, char** argv, int& i, Options& options)
{
    const char* value = nullptr;
    if (std::string_view(argv[i]) == "--format") {
        if (i + 1 >= argc) {
            std::fputs("zumeli-solve: --format needs plain or json\n", stderr);
            return false;
        }
        value = argv[++i];
    } else {
        value = argv[i] + 9;
    }
    if (std::strcmp(value, "json") == 0) {
        options.format = Options::Format::Json;
    } else if (std::strcmp(value, "plain") == 0) {
        options.format = Options::Format::Plain;
    } else {
        std::fprintf(stderr, "zumeli-solve: bad --format value \"%s\" (plain or json)\n", value);
        return false;
    }
    return true;
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
            if (!readTimeout(argc, argv, i, options))
                return std::nullopt;
        } else if (arg == "-j" || arg == "--jobs" || (arg.starts_with("-j") && arg.size() > 2)
                   || arg.starts_with("--jobs=")) {
            if (!readJobs(argc, argv, i, options))
                return std::nullopt;
        } else if (arg == "--format" || arg.starts_with("--format=")) {
            if (!readFormat(argc, argv, i, options))
                return std::nullopt;
        } else if (arg == "--help" || arg == "-h") {
            options.mode = Options::Mode::Help;
            return options;
        } else if (arg == "--version") {
            options.mode = Options::Mode::Version;
            return options;
        } else if (arg == "--") {
            for (++i; i < argc; ++i)
                options.operands.push_back(argv[i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "zumeli-solve: unknown option %s\n", argv[i]);
            usage();
            return std::nullopt;
        } else {
            options.operands.push_back(argv[i]);
        }
    }
    if (options.operands.empty()) {
        usage();
        return std::nullopt;
    }
    return options;
}

// One file to decide. `named`: given on the command line or with a puzzle file's extension,
// so a failure to read it is reported; otherwise it was found in a directory by the walk and
// is skipped when it is no puzzle. `skip`: found by the walk and never a puzzle. `error`: set
// when the walk already failed on this path.
struct Entry {
    std::string path;
    bool named = true;
    std::string error;
    bool skip = false;
};

// Every regular file under `dir` (symbolic links to files included; links to directories are
// not followed, so the walk always ends), and a failing entry for a directory that cannot be
// listed.
void walkDirectory(const fs::path& dir, std::vector<Entry>& out)
{
    std::error_code error;
    fs::directory_iterator it(dir, error);
    if (error) {
        out.push_back({dir.string(), true, error.message()});
        return;
    }
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            break;
        const fs::directory_entry& entry = *it;
        std::error_code ignored;
        if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
            walkDirectory(entry.path(), out);
        } else if (entry.is_regular_file(ignored)) {
            std::string path = entry.path().string();
            const bool puzzleName = zumeli::hasFileExtension(path, ".zml") || zumeli::hasFileExtension(path, ".non")
                || zumeli::hasFileExtension(path, ".xml");
            const bool answerState = zumeli::hasFileExtension(path, ".sts");
            out.push_back({std::move(path), puzzleName, {}, answerState});
        }
    }
    if (error)
        out.push_back({dir.string(), true, error.message()});
}

// The files the operands stand for: each file as given, each directory's files sorted by
// path as bytes, so the order never depends on the file system. `anyDirectory` tells whether
// an operand was a directory.
std::vector<Entry> entriesOf(const std::vector<const char*>& operands, bool& anyDirectory)
{
    std::vector<Entry> entries;
    anyDirectory = false;
    for (const char* operand : operands) {
        std::error_code error;
        if (!fs::is_directory(operand, error)) {
            entries.push_back({operand, true, {}});
            continue;
        }
        anyDirectory = true;
        std::vector<Entry> found;
        walkDirectory(operand, found);
        std::sort(found.begin(), found.end(),
                  [](const Entry& a, const Entry& b) { return a.path < b.path; });
        entries.insert(entries.end(), std::make_move_iterator(found.begin()),
                       std::make_move_iterator(found.end()));
    }
    return entries;
}

// What deciding one file gave; both output formats print it.
struct Report {
    enum class Outcome { Decided, Unreadable, Skipped };
    std::string path;
    Outcome outcome = Outcome::Decided;
    std::string error; // why the file could not be read
    int width = 0;
    int height = 0;
    zumeli::solver::Verdict verdict = zumeli::solver::Verdict::Stopped;
    bool lineSolvable = false;
    double elapsedMs = 0;
    std::string difficulty; // for a unique puzzle: its grade's name, or "timeout"
    std::vector<zumeli::solver::CellGrid> solutions; // only with --print
};

// Reads and decides one file. Never throws for a bad file: what is wrong ends up in the report.
Report decideEntry(const Entry& entry, const Options& options)
{
    Report report;
    report.path = entry.path;
    const auto fail = [&](std::string error) {
        report.outcome = entry.named ? Report::Outcome::Unreadable : Report::Outcome::Skipped;
        report.error = std::move(error);
        return report;
    };
    if (entry.skip) {
        report.outcome = Report::Outcome::Skipped;
        return report;
    }
    if (!entry.error.empty())
        return fail(entry.error);
    std::string text;
    try {
        text = zumeli::cli::readInputFile(entry.path.c_str());
    } catch (const zumeli::FileAccessError& e) {
        return fail(e.what());
    }
    zumeli::solver::Puzzle puzzle;
    try {
        puzzle = zumeli::puzzleFromPuzzleFile(entry.path, text);
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    zumeli::solver::SolveOptions solveOptions;
    solveOptions.timeLimitSeconds = options.timeoutSeconds;
    solveOptions.learnDifficulty = true; // the grade is printed for a unique puzzle
    const zumeli::solver::CellGrid goal = zumeli::solver::CellGrid::fromGoal(puzzle);
    if (!goal.cells.empty())
        solveOptions.knownSolution = &goal; // the file's own picture, when it fits the clues
    zumeli::solver::SolveResult result;
    try {
        result = zumeli::solver::solve(puzzle, solveOptions);
    } catch (const std::invalid_argument& e) { // clues the solver refuses (too large a puzzle)
        report.outcome = Report::Outcome::Unreadable;
        report.error = e.what();
        return report;
    }
    report.width = puzzle.width();
    report.height = puzzle.height();
    report.verdict = result.verdict;
    report.lineSolvable = result.lineSolvable;
    report.elapsedMs = result.elapsedMs;
    if (result.verdict == zumeli::solver::Verdict::Unique) {
        const auto difficulty = zumeli::solver::gradeDifficulty(puzzle, result, solveOptions);
        report.difficulty = difficulty ? difficulty->name : "timeout";
    }
    if (options.print)
        report.solutions = std::move(result.solutions);
    return report;
}

// Counts of every outcome for the summary.
struct Tally {
    long unique = 0;
    long multiple = 0;
    long none = 0;
    long timeout = 0;
    long unreadable = 0;
    long skipped = 0;

    void add(const Report& report)
    {
        using zumeli::solver::Verdict;
        switch (report.outcome) {
        case Report::Outcome::Unreadable: ++unreadable; return;
        case Report::Outcome::Skipped: ++skipped; return;
        case Report::Outcome::Decided: break;
        }
        switch (report.verdict) {
        case Verdict::Unique: ++unique; break;
        case Verdict::Multiple: ++multiple; break;
        case Verdict::NoSolution: ++none; break;
        case Verdict::Stopped: ++timeout; break;
        }
    }
    long puzzles() const { return unique + multiple + none + timeout + unreadable; }
    bool allDecided() const { return timeout == 0 && unreadable == 0; }
};

void reportUnreadable(const Report& report)
{
    std::fprintf(stderr, "zumeli-solve: %s: %s\n", report.path.c_str(), report.error.c_str());
}

// A puzzle whose search reached the time limit: says on standard error that it was given up,
// so that the verdict "timeout" is not taken for an answer about the clues.
void reportGivenUp(const Report& report, double timeoutSeconds)
{
    std::fprintf(stderr,
                 "zumeli-solve: %s: search given up at the time limit of %g s; the clues are not "
                 "decided\n",
                 report.path.c_str(), timeoutSeconds);
}

void printPlain(const Report& report)
{
    if (report.outcome == Report::Outcome::Skipped)
        return;
    if (report.outcome == Report::Outcome::Unreadable) {
        reportUnreadable(report);
        return;
    }
    std::printf("%s %s %s %dx%d %.3f ms", report.path.c_str(),
                zumeli::solver::verdictName(report.verdict),
                report.lineSolvable ? "line-solvable" : "needs-search", report.width, report.height,
                report.elapsedMs);
    if (!report.difficulty.empty())
        std::printf(" difficulty:%s", report.difficulty.c_str());
    std::fputc('\n', stdout);
    for (std::size_t i = 0; i < report.solutions.size(); ++i) {
        if (i > 0)
            std::fputc('\n', stdout);
        const std::string text = report.solutions[i].toAscii();
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
}

void printPlainSummary(const Tally& tally, double seconds)
{
    std::printf("summary: %ld unique, %ld multiple, %ld none, %ld timeout, %ld unreadable, "
                "%ld skipped; %ld puzzles in %.3f s\n",
                tally.unique, tally.multiple, tally.none, tally.timeout, tally.unreadable,
                tally.skipped, tally.puzzles(), seconds);
}

void printJson(const Report& report, bool withSolutions)
{
    using zumeli::cli::jsonString;
    if (report.outcome == Report::Outcome::Skipped)
        return;
    std::string line = "{\"path\": " + jsonString(report.path);
    if (report.outcome == Report::Outcome::Unreadable) {
        reportUnreadable(report);
        line += ", \"verdict\": \"unreadable\", \"error\": " + jsonString(report.error) + "}\n";
        std::fputs(line.c_str(), stdout);
        return;
    }
    char numbers[160];
    std::snprintf(numbers, sizeof numbers,
                  ", \"verdict\": \"%s\", \"line_solvable\": %s, \"width\": %d, \"height\": %d, "
                  "\"time_ms\": %.3f",
                  zumeli::solver::verdictName(report.verdict), report.lineSolvable ? "true" : "false",
                  report.width, report.height, report.elapsedMs);
    line += numbers;
    if (!report.difficulty.empty())
        line += ", \"difficulty\": " + jsonString(report.difficulty);
    if (withSolutions) {
        line += ", \"solutions\": [";
        for (std::size_t i = 0; i < report.solutions.size(); ++i) {
            line += i > 0 ? ", [" : "[";
            const std::string text = report.solutions[i].toAscii();
            std::size_t start = 0;
            for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
                if (start > 0)
                    line += ", ";
                line += '"';
                line.append(text, start, end - start);
                line += '"';
            }
            line += ']';
        }
        line += ']';
    }
    line += "}\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
}

void printJsonSummary(const Tally& tally, double seconds)
{
    std::printf("{\"summary\": {\"unique\": %ld, \"multiple\": %ld, \"none\": %ld, \"timeout\": %ld, "
                "\"unreadable\": %ld, \"skipped\": %ld, \"puzzles\": %ld, \"time_s\": %.3f}}\n",
                tally.unique, tally.multiple, tally.none, tally.timeout, tally.unreadable,
                tally.skipped, tally.puzzles(), seconds);
}

// Decides every file the operands stand for, `options.jobs` at a time, and prints the reports
// in the order of the files. Exit status 0 when every puzzle was read and decided, else 1.
int decideFiles(const Options& options)
{
    const auto start = std::chrono::steady_clock::now();
    bool anyDirectory = false;
    const std::vector<Entry> entries = entriesOf(options.operands, anyDirectory);
    const bool json = options.format == Options::Format::Json;
    Tally tally;
    zumeli::cli::runInOrder<Report>(
        entries.size(), options.jobs,
        [&](std::size_t i) { return decideEntry(entries[i], options); },
        [&](std::size_t, const Report& report) {
            tally.add(report);
            if (json)
                printJson(report, options.print);
            else
                printPlain(report);
            if (report.outcome == Report::Outcome::Decided && report.verdict == zumeli::solver::Verdict::Stopped)
                reportGivenUp(report, options.timeoutSeconds);
        });
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (json)
        printJsonSummary(tally, seconds);
    else if (options.operands.size() > 1 || anyDirectory)
        printPlainSummary(tally, seconds);
    return tally.allDecided() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (zumeli::cli::isAuthorCommand(argc, argv))
        return zumeli::cli::runAuthorCommand(argc, argv);
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
