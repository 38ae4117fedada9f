// zumeli-solve --make-unique and --generate: from a picture or a puzzle to a puzzle with one
// solution, and random puzzles, written in the format the output file's extension names.
#include "cli/author_commands.h"

#include "cli/input_file.h"

#include "formats/board_clues.h"
#include "formats/non_format.h"
#include "formats/picture_text.h"
#include "formats/puzzle_file.h"
#include "formats/puzzle_formats.h"
#include "formats/webpbn_xml.h"
#include "solve/engine/difficulty.h"
#include "solve/engine/generate.h"
#include "solve/engine/line_state.h"
#include "solve/engine/make_unique.h"
#include "solve/engine/solver.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zumeli::cli {

namespace {

using solver::Cell;
using solver::CellGrid;
using solver::Puzzle;

// A fault that ends the command with exit status 2 after printing its message.
class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class OutputKind { Picture, Non, Xml, Zml };

OutputKind outputKind(std::string_view path, bool pictureAllowed)
{
    if (pictureAllowed && isPictureFileName(path))
        return OutputKind::Picture;
    if (hasFileExtension(path, ".non"))
        return OutputKind::Non;
    if (hasFileExtension(path, ".xml"))
        return OutputKind::Xml;
    if (hasFileExtension(path, ".zml"))
        return OutputKind::Zml;
    throw CommandError(std::string(path) + ": the output file must end in "
                       + (pictureAllowed ? ".txt, .non, .xml or .zml" : ".non, .xml or .zml"));
}

std::string readInput(const char* path)
{
    try {
        return readInputFile(path);
    } catch (const FileAccessError& e) {
        throw CommandError(std::string(path) + ": " + e.what());
    }
}

// OUT is either the complete new file or untouched.
void writeOutput(const std::string& path, const std::string& bytes)
{
    try {
        writeFileAtomically(path, bytes);
    } catch (const FileAccessError& e) {
        throw CommandError(path + ": " + e.what());
    }
}

// The output file's bytes: the picture, or the puzzle of its clues with the picture as goal
// and the properties of `source`.
std::string outputBytes(OutputKind kind, const CellGrid& picture, const Puzzle& source)
{
    if (kind == OutputKind::Picture)
        return pictureText(picture);
    Puzzle puzzle = solver::puzzleFromPicture(picture);
    puzzle.title = source.title;
    puzzle.author = source.author;
    puzzle.copyright = source.copyright;
    puzzle.catalogue = source.catalogue;
    for (const Cell c : picture.cells)
        puzzle.goal.push_back(c == Cell::Filled ? '1' : '0');
    switch (kind) {
    case OutputKind::Non: return nonText(puzzle);
    case OutputKind::Xml: return webpbnXmlText(puzzle);
    case OutputKind::Zml:
        try {
            return puzzleText(boardFromPuzzle(puzzle));
        } catch (const std::exception& e) {
            throw CommandError(std::string("cannot write a .zml board: ") + e.what());
        }
    case OutputKind::Picture: break;
    }
    return {};
}

// "unique (line logic)", "unique (search)", "multiple", ...
std::string verdictText(solver::Verdict verdict, bool lineSolvable)
{
    std::string text = solver::verdictName(verdict);
    if (verdict == solver::Verdict::Unique)
        text += lineSolvable ? " (line logic)" : " (search)";
    return text;
}

void checkSize(int width, int height)
{
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        throw CommandError("the picture is larger than " + std::to_string(kMaxPictureSide) + " x "
                           + std::to_string(kMaxPictureSide) + " cells");
    if (width < 1 || height < 1)
        throw CommandError("the picture has no cells");
}

// The picture of an input file: a picture file as it is; a puzzle file's goal when it has
// one that fits its clues, else the first solution of its clues.
CellGrid inputPicture(const char* path, Puzzle& properties)
{
    const std::string text = readInput(path);
    try {
        if (isPictureFileName(path))
            return parsePictureText(text);
        properties = puzzleFromPuzzleFile(path, text);
    } catch (const std::exception& e) {
        throw CommandError(std::string(path) + ": " + e.what());
    }
    checkSize(properties.width(), properties.height());
    const CellGrid goal = CellGrid::fromGoal(properties);
    if (!goal.cells.empty() && solver::satisfiesClues(properties, goal))
        return goal;
    solver::SolveResult solved;
    try {
        solved = solver::solve(properties);
    } catch (const std::exception& e) {
        throw CommandError(std::string(path) + ": " + e.what());
    }
    if (solved.solutions.empty())
        throw CommandError(std::string(path) + ": the clues have no solution");
    return solved.solutions.front();
}

struct Arguments {
    bool makeUnique = false;
    bool generate = false;
    bool lineSolvable = false;
    std::optional<std::uint64_t> seed;
    int difficulty = 0; // a grade 1..4 asked for with --difficulty, else 0
    std::vector<std::string> positional;
};

std::uint64_t parseSeed(std::string_view text)
{
    std::uint64_t value = 0;
    if (text.empty())
        throw CommandError("--seed needs a whole number from 0 to 18446744073709551615");
    for (const char c : text) {
        if (c < '0' || c > '9' || value > (UINT64_MAX - static_cast<unsigned>(c - '0')) / 10)
            throw CommandError("bad --seed value \"" + std::string(text)
                               + "\" (a whole number from 0 to 18446744073709551615)");
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

// The --generate forms, shown after a refused --difficulty.
constexpr const char* kGenerateUsage =
    "usage: zumeli-solve --generate WxH [--seed N] [--line-solvable] OUT\n"
    "       zumeli-solve --generate WxH [--seed N] --difficulty simple-lines|lines|probing|search OUT";

// A grade's name (difficulty.h) as its number 1..4.
int parseDifficulty(std::string_view text)
{
    for (int grade = 1; grade <= 4; ++grade)
        if (text == solver::difficultyName(grade))
            return grade;
    throw CommandError("bad --difficulty value \"" + std::string(text)
                       + "\" (simple-lines, lines, probing or search)\n" + kGenerateUsage);
}

// "WxH" with each side kMinGenerateSide..kMaxGenerateSide.
std::pair<int, int> parseSize(std::string_view text)
{
    const std::string bad = "bad size \"" + std::string(text) + "\": give WxH, each side "
        + std::to_string(solver::kMinGenerateSide) + ".." + std::to_string(solver::kMaxGenerateSide);
    const std::size_t cross = text.find_first_of("xX");
    if (cross == std::string_view::npos)
        throw CommandError(bad);
    auto side = [&](std::string_view digits) {
        if (digits.empty() || digits.size() > 4)
            throw CommandError(bad);
        int value = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9')
                throw CommandError(bad);
            value = value * 10 + (c - '0');
        }
        if (value < solver::kMinGenerateSide || value > solver::kMaxGenerateSide)
            throw CommandError(bad);
        return value;
    };
    return {side(text.substr(0, cross)), side(text.substr(cross + 1))};
}

Arguments parseArguments(int argc, char** argv)
{
    Arguments args;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() <= 1 || arg[0] != '-') {
            args.positional.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--make-unique") {
            args.makeUnique = true;
        } else if (arg == "--generate") {
            args.generate = true;
        } else if (arg == "--line-solvable") {
            args.lineSolvable = true;
        } else if (arg == "--seed") {
            if (i + 1 >= argc)
                throw CommandError("--seed needs a number");
            args.seed = parseSeed(argv[++i]);
        } else if (arg == "--difficulty") {
            if (i + 1 >= argc)
                throw CommandError(std::string("--difficulty needs a grade\n") + kGenerateUsage);
            args.difficulty = parseDifficulty(argv[++i]);
        } else {
            throw CommandError("unknown option " + std::string(arg));
        }
    }
    if (args.makeUnique && args.generate)
        throw CommandError("--make-unique and --generate cannot be used together");
    if (args.makeUnique && args.seed)
        throw CommandError("--seed belongs to --generate");
    if (args.makeUnique && args.difficulty != 0)
        throw CommandError("--difficulty belongs to --generate");
    // Line logic alone solves the puzzles of the first two grades and no others.
    if (args.lineSolvable && args.difficulty > 2)
        throw CommandError(std::string("--line-solvable and --difficulty ") + solver::difficultyName(args.difficulty)
                           + " ask for different puzzles");
    return args;
}

int makeUniqueCommand(const Arguments& args)
{
    if (args.positional.size() != 2)
        throw CommandError("--make-unique needs IN and OUT");
    const auto start = std::chrono::steady_clock::now();
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    const OutputKind kind = outputKind(out, true);
    Puzzle properties;
    const CellGrid picture = inputPicture(in.c_str(), properties);
    solver::MakeUniqueOptions options;
    options.lineSolvable = args.lineSolvable;
    const solver::MakeUniqueResult made = solver::makeUnique(picture, options);
    if (!made.done) {
        std::fprintf(stderr, "zumeli-solve: %s: no %s found (%s after changing %zu cells); %s not written\n",
                     in.c_str(), args.lineSolvable ? "line-solvable puzzle" : "unique puzzle",
                     verdictText(made.verdict, made.lineSolvable).c_str(), made.changed.size(), out.c_str());
        return 1;
    }
    writeOutput(out, outputBytes(kind, made.picture, properties));
    std::printf("changed %zu %s: %s, %.0f ms\n", made.changed.size(), made.changed.size() == 1 ? "cell" : "cells",
                verdictText(made.verdict, made.lineSolvable).c_str(), solver::millisecondsSince(start));
    return 0;
}

int generateCommand(const Arguments& args)
{
    if (args.positional.size() != 2)
        throw CommandError("--generate needs WxH and OUT");
    const auto start = std::chrono::steady_clock::now();
    const auto [width, height] = parseSize(args.positional[0]);
    const std::string& out = args.positional[1];
    const OutputKind kind = outputKind(out, false);
    solver::GenerateOptions options;
    options.width = width;
    options.height = height;
    options.seed = args.seed.value_or(1);
    options.lineSolvable = args.lineSolvable;
    options.difficulty = args.difficulty;
    solver::GenerateResult made;
    try {
        made = solver::generatePuzzle(options);
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "zumeli-solve: %s; %s not written\n", e.what(), out.c_str());
        return 1;
    }
    const std::string bytes = outputBytes(kind, made.picture, made.puzzle);
    writeOutput(out, bytes);
    const solver::SolveResult check = solver::solve(made.puzzle);
    std::string graded;
    if (made.difficulty != 0)
        graded = std::string(", difficulty:") + solver::difficultyName(made.difficulty) + ", "
            + std::to_string(made.pictures) + (made.pictures == 1 ? " picture" : " pictures");
    std::printf("generated %dx%d, seed %llu: %s%s, %.0f ms\n", width, height,
                static_cast<unsigned long long>(options.seed),
                verdictText(check.verdict, check.lineSolvable).c_str(), graded.c_str(), solver::millisecondsSince(start));
    return 0;
}

} // namespace

const char* authorUsage()
{
    return "   or: zumeli-solve --make-unique [--line-solvable] IN OUT\n"
           "   or: zumeli-solve --generate WxH [--seed N] [--line-solvable] OUT\n"
           "   or: zumeli-solve --generate WxH [--seed N] --difficulty GRADE OUT\n"
           "--make-unique changes as few cells as it can of IN's picture (a puzzle file's goal\n"
           "picture or first solution, or a picture file IN.txt of rows of '#' and '.') so that\n"
           "its clues have one solution (with --line-solvable: one that line logic alone finds),\n"
           "and prints the number of changed cells, the new verdict and the time.\n"
           "--generate writes a random puzzle of W x H cells (1..100 each) with one solution;\n"
           "the same size, seed (default 1) and options always give the same file.\n"
           "--difficulty makes it a puzzle of that grade: simple-lines, lines, probing or\n"
           "search (see difficulty:NAME above); it prints the grade and the pictures drawn.\n"
           "OUT's extension picks its format: .txt (a picture; --make-unique only), .non,\n"
           ".xml (webpbn, with the picture as goal) or .zml (a board file). Exit status 2 for\n"
           "bad arguments or input, 1 when no unique puzzle was found; OUT is then not written.\n";
}

bool isAuthorCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h" || arg == "--version")
            return false;
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        if (arg == "--make-unique" || arg == "--generate")
            return true;
    }
    return false;
}

int runAuthorCommand(int argc, char** argv)
{
    try {
        const Arguments args = parseArguments(argc, argv);
        return args.generate ? generateCommand(args) : makeUniqueCommand(args);
    } catch (const CommandError& e) {
        std::fprintf(stderr, "zumeli-solve: %s\n", e.what());
        return 2;
    }
}

} // namespace zumeli::cli
