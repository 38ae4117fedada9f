// ASCII pictures of the answer area for readable test cases.
#include "support/ascii_board.h"

#include <cstring>
#include <stdexcept>

namespace zumeli::test {

void drawAnswer(BoardModel& model, std::initializer_list<const char*> rows)
{
    int y = model.clueSize;
    for (const char* row : rows) {
        for (int i = 0; row[i] != '\0'; ++i) {
            const int x = model.clueSize + i;
            switch (row[i]) {
            case '#': model.board(x, y) = kFilled; break;
            case 'x': model.board(x, y) = kCross; break;
            case '.': model.board(x, y) = kEmpty; break;
            default: model.board(x, y) = static_cast<int16>(row[i] - '0'); break;
            }
        }
        ++y;
    }
}

BoardModel boardWithAnswer(int clueSize, std::initializer_list<const char*> rows)
{
    if (rows.size() == 0)
        throw std::invalid_argument("an answer picture needs at least one row");
    BoardModel model;
    model.clueSize = static_cast<int16>(clueSize);
    model.gridWidth = static_cast<int16>(clueSize + std::strlen(*rows.begin()));
    model.gridHeight = static_cast<int16>(clueSize + rows.size());
    drawAnswer(model, rows);
    return model;
}

namespace {

// The clue cells of a line from the outermost to the innermost: `runs` packed at the inner end.
std::vector<int> packedClueCells(const BoardModel& model, std::initializer_list<int> runs)
{
    if (runs.size() > static_cast<std::size_t>(model.clueSize))
        throw std::invalid_argument("more runs than the clue band holds");
    std::vector<int> cells(model.clueSize - runs.size(), 0);
    cells.insert(cells.end(), runs.begin(), runs.end());
    return cells;
}

} // namespace

void setColumnClues(BoardModel& model, int x, std::initializer_list<int> runs)
{
    const std::vector<int> cells = packedClueCells(model, runs);
    for (int y = 0; y < model.clueSize; ++y)
        model.board(x, y) = static_cast<int16>(cells[y]);
}

void setRowClues(BoardModel& model, int y, std::initializer_list<int> runs)
{
    const std::vector<int> cells = packedClueCells(model, runs);
    for (int x = 0; x < model.clueSize; ++x)
        model.board(x, y) = static_cast<int16>(cells[x]);
}

std::vector<std::string> answerPicture(const BoardModel& model)
{
    std::vector<std::string> rows;
    for (int y = model.clueSize; y < model.gridHeight; ++y) {
        std::string row;
        for (int x = model.clueSize; x < model.gridWidth; ++x) {
            switch (model.board(x, y)) {
            case kFilled: row += '#'; break;
            case kCross: row += 'x'; break;
            case kEmpty: row += '.'; break;
            default: row += '?'; break;
            }
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<int> columnClueCells(const BoardModel& model, int x)
{
    std::vector<int> cells;
    for (int y = 0; y < model.clueSize; ++y)
        cells.push_back(model.board(x, y));
    return cells;
}

std::vector<int> rowClueCells(const BoardModel& model, int y)
{
    std::vector<int> cells;
    for (int x = 0; x < model.clueSize; ++x)
        cells.push_back(model.board(x, y));
    return cells;
}

} // namespace zumeli::test
