// The board's lines: which cells belong to a line and what it holds.
#include "board/board_line.h"

#include <algorithm>
#include <string>

namespace zumeli {

std::vector<BoardLine> answerColumns(const BoardModel& model)
{
    std::vector<BoardLine> lines;
    for (int x = model.clueSize; x < model.gridWidth; ++x)
        lines.push_back({BoardLine::Column, toInt16(x)});
    return lines;
}

std::vector<BoardLine> answerRows(const BoardModel& model)
{
    std::vector<BoardLine> lines;
    for (int y = model.clueSize; y < model.gridHeight; ++y)
        lines.push_back({BoardLine::Row, toInt16(y)});
    return lines;
}

std::vector<BoardLine> answerLines(const BoardModel& model)
{
    std::vector<BoardLine> lines = answerColumns(model);
    const std::vector<BoardLine> rows = answerRows(model);
    lines.insert(lines.end(), rows.begin(), rows.end());
    return lines;
}

namespace {

// The one place that knows which way a line runs: a column keeps x and walks y.
struct LineXY {
    int x;
    int y;
};

LineXY lineXY(BoardLine line, int along)
{
    return line.kind == BoardLine::Column ? LineXY{line.index, along} : LineXY{along, line.index};
}

} // namespace

int16& lineCell(BoardModel& model, BoardLine line, int along)
{
    const LineXY at = lineXY(line, along);
    return model.board(at.x, at.y);
}

int16 lineCell(const BoardModel& model, BoardLine line, int along)
{
    const LineXY at = lineXY(line, along);
    return model.board(at.x, at.y);
}

BoardPoint linePoint(BoardLine line, int along)
{
    const LineXY at = lineXY(line, along);
    return {toInt16(at.x), toInt16(at.y)};
}

int16& clueCell(BoardModel& model, BoardLine line, int i) { return lineCell(model, line, i); }

int16 clueCell(const BoardModel& model, BoardLine line, int i) { return lineCell(model, line, i); }

int16& answerCell(BoardModel& model, BoardLine line, int i)
{
    return lineCell(model, line, model.clueSize + i);
}

int16 answerCell(const BoardModel& model, BoardLine line, int i)
{
    return lineCell(model, line, model.clueSize + i);
}

int answerLength(const BoardModel& model, BoardLine line)
{
    return std::max(0, line.kind == BoardLine::Column ? model.answerHeight() : model.answerWidth());
}

std::vector<int16> clueCells(const BoardModel& model, BoardLine line)
{
    std::vector<int16> cells;
    for (int i = 0; i < model.clueSize; ++i)
        cells.push_back(clueCell(model, line, i));
    return cells;
}

std::vector<int16> answerCells(const BoardModel& model, BoardLine line)
{
    std::vector<int16> cells;
    const int length = answerLength(model, line);
    cells.reserve(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i)
        cells.push_back(answerCell(model, line, i));
    return cells;
}

std::vector<int16> clueNumbers(const BoardModel& model, BoardLine line)
{
    std::vector<int16> numbers;
    for (int i = 0; i < model.clueSize; ++i)
        if (const int16 value = clueCell(model, line, i); value != 0)
            numbers.push_back(value);
    return numbers;
}

void setPackedClues(BoardModel& model, BoardLine line, const std::vector<int16>& numbers)
{
    const int first = model.clueSize - static_cast<int>(numbers.size());
    if (first < 0)
        throw IndexError("a line holds " + std::to_string(numbers.size())
                         + " clue numbers; its band has " + std::to_string(model.clueSize) + " cells");
    for (int i = 0; i < first; ++i)
        clueCell(model, line, i) = 0;
    for (std::size_t k = 0; k < numbers.size(); ++k)
        clueCell(model, line, first + static_cast<int>(k)) = numbers[k];
}

std::vector<int16> runsOfLine(const std::vector<int16>& cells)
{
    std::vector<int16> runs;
    int16 counter = 0;
    for (const int16 cell : cells) {
        if (cell == kFilled) {
            counter = add16(counter, 1);
        } else if (counter != 0) {
            runs.push_back(counter);
            counter = 0;
        }
    }
    if (counter != 0)
        runs.push_back(counter);
    return runs;
}

std::vector<int16> runsOfLine(const BoardModel& model, BoardLine line)
{
    return runsOfLine(answerCells(model, line));
}

} // namespace zumeli
