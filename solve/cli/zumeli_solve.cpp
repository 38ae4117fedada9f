// zumeli-solve: decides .zml, .non and webpbn XML puzzle files from the command line.
#include "files/board_clues.h"
#include "files/non_format.h"
#include "files/puzzle_file.h"
#include "files/puzzle_formats.h"
#include "files/webpbn_xml.h"
#include "solve/engine/solver.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr long kMaxFileBytes = 64L * 1024 * 1024;

void usage()
{
    std::fputs("usage: zumeli-solve [--print] [--timeout SECONDS] FILE...\n"
               "Decides each puzzle file (.zml, .non or webpbn XML) and prints one line per file:\n"
               "name, verdict (unique, multiple, none, timeout), line-solvable or needs-search,\n"
               "size WxH and solving time. --print adds the solution(s) as rows of '#' and '.'.\n"
               "Exit status 0 when every file was read and decided.\n",
               stderr);
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

zumeli::solver::Puzzle readPuzzle(std::string_view path, std::string_view text)
{
    switch (zumeli::detectPuzzleFormat(path, text)) {
    case zumeli::PuzzleFormat::WebpbnXml: return zumeli::parseWebpbnXml(text);
    case zumeli::PuzzleFormat::Non: return zumeli::parseNonText(text);
    case zumeli::PuzzleFormat::Zml: break;
    }
    return zumeli::puzzleFromBoard(zumeli::parsePuzzleText(text));
}

void printPicture(const zumeli::solver::CellGrid& grid)
{
    const std::string text = grid.toAscii();
    std::fwrite(text.data(), 1, text.size(), stdout);
}

} // namespace

int main(int argc, char** argv)
{
    bool print = false;
    double timeout = 0;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--print") {
            print = true;
        } else if (arg == "--timeout") {
            if (i + 1 >= argc) {
                std::fputs("zumeli-solve: --timeout needs a number of seconds\n", stderr);
                return 2;
            }
            char* end = nullptr;
            timeout = std::strtod(argv[++i], &end);
            if (end == argv[i] || *end != '\0' || !std::isfinite(timeout) || timeout <= 0) {
                std::fprintf(stderr, "zumeli-solve: bad --timeout value \"%s\"\n", argv[i]);
                return 2;
            }
        } else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else if (arg == "--") {
            for (++i; i < argc; ++i)
                files.push_back(argv[i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "zumeli-solve: unknown option %s\n", argv[i]);
            usage();
            return 2;
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.empty()) {
        usage();
        return 2;
    }

    int status = 0;
    std::string text;
    for (const char* path : files) {
        std::string error;
        if (!readFile(path, text, error)) {
            std::fprintf(stderr, "zumeli-solve: %s: %s\n", path, error.c_str());
            status = 2;
            continue;
        }
        zumeli::solver::Puzzle puzzle;
        try {
            puzzle = readPuzzle(path, text);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "zumeli-solve: %s: %s\n", path, e.what());
            status = 2;
            continue;
        }
        zumeli::solver::SolveOptions options;
        options.timeLimitSeconds = timeout;
        const zumeli::solver::SolveResult result = zumeli::solver::solve(puzzle, options);
        std::printf("%s %s %s %dx%d %.3f ms\n", path, zumeli::solver::verdictName(result.verdict),
                    result.lineSolvable ? "line-solvable" : "needs-search", puzzle.width(),
                    puzzle.height(), result.elapsedMs);
        if (print) {
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
