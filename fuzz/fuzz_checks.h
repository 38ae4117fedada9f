// What the fuzz targets assert about a reader's answer: a board or puzzle inside every limit
// the program relies on, or the reader's own documented error; anything else aborts.
#pragma once

#include "board/board_model.h"
#include "formats/format_errors.h"
#include "solve/engine/puzzle.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace zumeli::fuzz {

[[noreturn]] inline void fail(const std::string& what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

inline void check(bool ok, const char* what)
{
    if (!ok)
        fail(what);
}

// Runs `read`; returns false when it failed with `Expected` (the reader's documented way to
// refuse its input), true when it returned. Any other exception aborts.
template <typename Expected, typename Read>
bool readsOrRefuses(const char* reader, Read&& read)
{
    try {
        read();
        return true;
    } catch (const Expected&) {
        return false;
    } catch (const std::exception& error) {
        fail(std::string(reader) + " threw an undocumented exception: " + error.what());
    } catch (...) {
        fail(std::string(reader) + " threw something that is no exception");
    }
}

// The shape every board the program holds keeps: a clue band and an answer area of at least
// one cell each way, the whole inside the board (gridWidth, gridHeight <= 100), and no cell
// beyond gridWidth or gridHeight holding anything.
inline void checkBoardShape(const BoardModel& model)
{
    check(model.clueSize >= 1, "the clue band is at least one cell thick");
    check(model.answerWidth() >= 1 && model.answerHeight() >= 1,
          "the answer area is at least one cell each way");
    check(model.gridWidth <= kBoardSide - 1 && model.gridHeight <= kBoardSide - 1,
          "the board in use fits 0..100");
    for (int x = 0; x < kBoardSide; ++x)
        for (int y = 0; y < kBoardSide; ++y)
            if (x >= model.gridWidth || y >= model.gridHeight)
                check(model.board(x, y) == 0, "nothing lies beyond gridWidth and gridHeight");
}

// The limits of the authoring commands, which a board built from a solver puzzle keeps too.
inline void checkAuthoringLimits(const BoardModel& model)
{
    checkBoardShape(model);
    check(model.clueSize <= kMaxClueSize, "the clue band is at most 20 cells thick");
    check(model.answerWidth() <= kMaxAnswerSide && model.answerHeight() <= kMaxAnswerSide,
          "the answer area is at most 80 x 80");
}

// What the .non and webpbn XML readers promise about a puzzle they return.
inline void checkPuzzle(const solver::Puzzle& puzzle)
{
    check(puzzle.width() >= 1 && puzzle.height() >= 1, "a puzzle has rows and columns");
    check(puzzle.width() <= kMaxPuzzleLines && puzzle.height() <= kMaxPuzzleLines,
          "a puzzle has at most kMaxPuzzleLines lines either way");
    auto checkLines = [](const std::vector<std::vector<int>>& lines) {
        for (const auto& runs : lines) {
            check(runs.size() <= static_cast<std::size_t>(kMaxPuzzleLines), "runs per line are bounded");
            for (const int run : runs)
                // A run longer than its line is read as written (the clues then have no
                // solution); only the readers' own limit bounds it.
                check(run >= 1 && run <= kMaxPuzzleLines, "a run is positive and within the limit");
        }
    };
    checkLines(puzzle.rows);
    checkLines(puzzle.columns);
    if (!puzzle.goal.empty()) {
        check(puzzle.goal.size()
                  == static_cast<std::size_t>(puzzle.width()) * static_cast<std::size_t>(puzzle.height()),
              "a goal covers the whole picture");
        for (const char c : puzzle.goal)
            check(c == '0' || c == '1', "a goal holds only 0 and 1");
    }
}

} // namespace zumeli::fuzz
