// Clue derivation: run collection along the board's lines and the packing of runs into the
// clue band.
#include "author/clue_derivation.h"

#include <algorithm>
#include <array>

namespace zumeli {

std::vector<BoardLine> answerLines(const BoardModel& model)
{
    std::vector<BoardLine> lines;
    for (int x = model.clueSize; x < model.gridWidth; ++x)
        lines.push_back({BoardLine::Column, toInt16(x)});
    for (int y = model.clueSize; y < model.gridHeight; ++y)
        lines.push_back({BoardLine::Row, toInt16(y)});
    return lines;
}

int16& clueCell(BoardModel& model, BoardLine line, int i)
{
    return line.kind == BoardLine::Column ? model.board(line.index, i) : model.board(i, line.index);
}

int16 clueCell(const BoardModel& model, BoardLine line, int i)
{
    return line.kind == BoardLine::Column ? model.board(line.index, i) : model.board(i, line.index);
}

int16 answerCell(const BoardModel& model, BoardLine line, int i)
{
    const int along = model.clueSize + i;
    return line.kind == BoardLine::Column ? model.board(line.index, along)
                                          : model.board(along, line.index);
}

int answerLength(const BoardModel& model, BoardLine line)
{
    return std::max(0, line.kind == BoardLine::Column ? model.answerHeight() : model.answerWidth());
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
    std::vector<int16> cells;
    const int length = answerLength(model, line);
    for (int i = 0; i < length; ++i)
        cells.push_back(answerCell(model, line, i));
    return runsOfLine(cells);
}

std::vector<int16> alignedClues(const std::vector<int16>& runs, int clueSize)
{
    if (clueSize <= 0)
        return {};
    // The scratch list has the board's 101 places; a line of at most 101 cells has at most
    // 51 runs, so nothing is cut off here.
    std::array<int16, kBoardSide> list{};
    std::copy_n(runs.begin(), std::min<std::size_t>(runs.size(), list.size()), list.begin());
    const int last = std::min(clueSize, kBoardSide) - 1;
    // Move everything one place towards the answer area until the last clue place is taken:
    // at most clueSize moves, and none when the line has clueSize runs or more.
    for (int step = 0; step < clueSize && list[last] == 0; ++step) {
        for (int i = last - 1; i >= 0; --i) {
            list[i + 1] = list[i];
            list[i] = 0;
        }
    }
    return std::vector<int16>(list.begin(), list.begin() + last + 1);
}

void deriveClues(BoardModel& model)
{
    for (const BoardLine line : answerLines(model)) {
        const std::vector<int16> clues = alignedClues(runsOfLine(model, line), model.clueSize);
        for (int i = 0; i < static_cast<int>(clues.size()); ++i)
            clueCell(model, line, i) = clues[i];
    }
}

} // namespace zumeli
