// The checks the .non and webpbn XML targets share: a puzzle a reader returned must keep the
// readers' promises, survive its own writer, and either fit the board or be refused by it.
#pragma once

#include "fuzz_checks.h"

#include "formats/board_clues.h"

namespace zumeli::fuzz {

template <typename Write, typename Read>
void checkReadPuzzle(const solver::Puzzle& puzzle, Write&& write, Read&& read)
{
    checkPuzzle(puzzle);

    // What the writer makes of it reads back to the same clues and goal.
    solver::Puzzle again;
    check(readsOrRefuses<PuzzleFormatError>("the reader", [&] { again = read(write(puzzle)); }),
          "a written puzzle reads back");
    check(again.rows == puzzle.rows && again.columns == puzzle.columns,
          "a written puzzle keeps its clues");
    check(again.goal == puzzle.goal, "a written puzzle keeps its goal");

    // On the board: refused for its size, or a board within the authoring limits holding
    // exactly these clues, packed against the answer area.
    BoardModel board;
    if (!readsOrRefuses<BoardLimitError>("boardFromPuzzle", [&] { board = boardFromPuzzle(puzzle); }))
        return;
    checkAuthoringLimits(board);
    check(board.answerWidth() == puzzle.width() && board.answerHeight() == puzzle.height(),
          "the answer area is the puzzle's size");
    const solver::Puzzle onBoard = puzzleFromBoard(board);
    check(onBoard.rows == puzzle.rows && onBoard.columns == puzzle.columns,
          "the board holds the puzzle's clues");
    for (int x = board.clueSize; x < board.gridWidth; ++x) {
        bool seenNumber = false;
        for (int y = 0; y < board.clueSize; ++y) {
            check(!seenNumber || board.board(x, y) != 0, "column clues are packed against the answer area");
            seenNumber = seenNumber || board.board(x, y) != 0;
        }
    }
    for (int y = board.clueSize; y < board.gridHeight; ++y) {
        bool seenNumber = false;
        for (int x = 0; x < board.clueSize; ++x) {
            check(!seenNumber || board.board(x, y) != 0, "row clues are packed against the answer area");
            seenNumber = seenNumber || board.board(x, y) != 0;
        }
    }
    for (int x = 0; x < board.gridWidth; ++x)
        for (int y = 0; y < board.gridHeight; ++y)
            if ((x < board.clueSize) == (y < board.clueSize))
                check(board.board(x, y) == 0, "the corner and the answer area are empty");
}

} // namespace zumeli::fuzz
