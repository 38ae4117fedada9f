// Board model <-> clue lists: reading the clue band and filling it from a puzzle.
#include "files/board_clues.h"

#include <algorithm>
#include <string>

namespace zumeli {

solver::Puzzle puzzleFromBoard(const BoardModel& model)
{
    solver::Puzzle puzzle;
    const int clueSize = model.clueSize;
    for (int x = clueSize; x < model.gridWidth; ++x) {
        std::vector<int> runs;
        for (int y = 0; y < clueSize; ++y)
            if (const int v = model.board(x, y); v != 0)
                runs.push_back(v);
        puzzle.columns.push_back(std::move(runs));
    }
    for (int y = clueSize; y < model.gridHeight; ++y) {
        std::vector<int> runs;
        for (int x = 0; x < clueSize; ++x)
            if (const int v = model.board(x, y); v != 0)
                runs.push_back(v);
        puzzle.rows.push_back(std::move(runs));
    }
    return puzzle;
}

BoardModel boardFromPuzzle(const solver::Puzzle& puzzle)
{
    const int width = puzzle.width();
    const int height = puzzle.height();
    if (width == 0 || height == 0)
        throw BoardLimitError("the puzzle has no rows or no columns");
    if (width > kMaxAnswerSide || height > kMaxAnswerSide)
        throw BoardLimitError("the puzzle is " + std::to_string(width) + " x " + std::to_string(height)
                              + "; the board holds at most " + std::to_string(kMaxAnswerSide) + " x "
                              + std::to_string(kMaxAnswerSide));
    auto countRuns = [](const std::vector<int>& runs) {
        return static_cast<int>(std::count_if(runs.begin(), runs.end(), [](int r) { return r != 0; }));
    };
    int longest = 1;
    for (const auto* lines : {&puzzle.rows, &puzzle.columns})
        for (const auto& runs : *lines) {
            longest = std::max(longest, countRuns(runs));
            for (const int r : runs)
                if (r < 0 || r > 32767)
                    throw BoardLimitError("clue number " + std::to_string(r) + " does not fit a board cell");
        }
    if (longest > kMaxClueSize)
        throw BoardLimitError("a line has " + std::to_string(longest) + " clues; the board holds at most "
                              + std::to_string(kMaxClueSize));

    BoardModel model;
    model.board.clear();
    model.clueSize = static_cast<int16>(longest);
    model.gridWidth = static_cast<int16>(longest + width);
    model.gridHeight = static_cast<int16>(longest + height);
    for (int x = 0; x < width; ++x) {
        const auto& runs = puzzle.columns[x];
        int y = longest - countRuns(runs);
        for (const int r : runs)
            if (r != 0)
                model.board(longest + x, y++) = static_cast<int16>(r);
    }
    for (int y = 0; y < height; ++y) {
        const auto& runs = puzzle.rows[y];
        int x = longest - countRuns(runs);
        for (const int r : runs)
            if (r != 0)
                model.board(x++, longest + y) = static_cast<int16>(r);
    }
    return model;
}

solver::CellGrid pictureFromBoard(const BoardModel& model)
{
    const int width = std::max(0, model.answerWidth());
    const int height = std::max(0, model.answerHeight());
    solver::CellGrid grid(width, height, solver::Cell::Empty);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (model.board(model.clueSize + x, model.clueSize + y) == kFilled)
                grid.at(x, y) = solver::Cell::Filled;
    return grid;
}

} // namespace zumeli
