// Board model <-> clue lists: reading the clue band and filling it from a puzzle.
#include "formats/board_clues.h"

#include "board/board_line.h"

#include <algorithm>
#include <string>

namespace zumeli {

namespace {

std::vector<int> widened(const std::vector<int16>& numbers)
{
    return std::vector<int>(numbers.begin(), numbers.end());
}

// A clue line of the puzzle as board values: its non-zero runs, each checked to fit a cell.
std::vector<int16> boardClues(const std::vector<int>& runs)
{
    std::vector<int16> numbers;
    for (const int r : runs) {
        if (r == 0)
            continue;
        if (r < 0)
            throw BoardLimitError("clue number " + std::to_string(r) + " does not fit a board cell");
        try {
            numbers.push_back(toInt16(r));
        } catch (const OverflowError&) {
            throw BoardLimitError("clue number " + std::to_string(r) + " does not fit a board cell");
        }
    }
    return numbers;
}

} // namespace

solver::Puzzle puzzleFromBoard(const BoardModel& model)
{
    solver::Puzzle puzzle;
    for (const BoardLine column : answerColumns(model))
        puzzle.columns.push_back(widened(clueNumbers(model, column)));
    for (const BoardLine row : answerRows(model))
        puzzle.rows.push_back(widened(clueNumbers(model, row)));
    return puzzle;
}

int solverLine(const BoardModel& model, BoardLine line)
{
    const int inArea = line.index - model.clueSize;
    return line.kind == BoardLine::Row ? inArea : model.answerHeight() + inArea;
}

BoardModel boardFromPuzzle(const solver::Puzzle& puzzle, int minClueSize)
{
    const int width = puzzle.width();
    const int height = puzzle.height();
    if (width == 0 || height == 0)
        throw BoardLimitError("the puzzle has no rows or no columns");
    if (width > kMaxAnswerSide || height > kMaxAnswerSide)
        throw BoardLimitError("the puzzle is " + std::to_string(width) + " x " + std::to_string(height)
                              + "; the board holds at most " + std::to_string(kMaxAnswerSide) + " x "
                              + std::to_string(kMaxAnswerSide));
    std::vector<std::vector<int16>> columns;
    std::vector<std::vector<int16>> rows;
    for (const auto& runs : puzzle.rows)
        rows.push_back(boardClues(runs));
    for (const auto& runs : puzzle.columns)
        columns.push_back(boardClues(runs));
    std::size_t longest = static_cast<std::size_t>(std::clamp(minClueSize, 1, kMaxClueSize));
    for (const auto* lines : {&rows, &columns})
        for (const auto& numbers : *lines)
            longest = std::max(longest, numbers.size());
    if (longest > static_cast<std::size_t>(kMaxClueSize))
        throw BoardLimitError("a line has " + std::to_string(longest) + " clues; the board holds at most "
                              + std::to_string(kMaxClueSize));

    BoardModel model;
    model.board.clear();
    model.clueSize = toInt16(longest);
    model.gridWidth = add16(model.clueSize, width);
    model.gridHeight = add16(model.clueSize, height);
    const std::vector<BoardLine> columnLines = answerColumns(model);
    const std::vector<BoardLine> rowLines = answerRows(model);
    for (std::size_t i = 0; i < columnLines.size(); ++i)
        setPackedClues(model, columnLines[i], columns[i]);
    for (std::size_t i = 0; i < rowLines.size(); ++i)
        setPackedClues(model, rowLines[i], rows[i]);
    return model;
}

solver::CellGrid pictureFromBoard(const BoardModel& model)
{
    const std::vector<BoardLine> rows = answerRows(model);
    const int width = std::max(0, model.answerWidth());
    solver::CellGrid grid(width, static_cast<int>(rows.size()), solver::Cell::Empty);
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        const std::vector<int16> cells = answerCells(model, rows[y]);
        for (int x = 0; x < width; ++x)
            if (cells[static_cast<std::size_t>(x)] == kFilled)
                grid.at(x, y) = solver::Cell::Filled;
    }
    return grid;
}

} // namespace zumeli
