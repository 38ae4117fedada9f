// Writing and applying the answer-state file's text.
#include "formats/answer_state_file.h"

#include "board/board_line.h"
#include "formats/text_scan.h"

#include <vector>

namespace zumeli {

namespace {

void checkAnswerArea(const BoardModel& model)
{
    if (model.clueSize < 0 || model.answerWidth() < 1 || model.answerHeight() < 1
        || model.gridWidth > kBoardSide - 1 || model.gridHeight > kBoardSide - 1)
        throw FileFormatError("the board has no answer area to keep");
}

} // namespace

std::string answerStateText(const BoardModel& model)
{
    checkAnswerArea(model);
    std::string out;
    for (const BoardLine column : answerColumns(model))
        appendNumberLine(out, answerCells(model, column));
    return out;
}

BoardModel applyAnswerState(const BoardModel& current, std::string_view text)
{
    checkAnswerArea(current);
    const std::vector<BoardLine> columns = answerColumns(current);
    const int height = current.answerHeight();

    const auto lines = numberFileLines(text);
    if (lines.size() < columns.size())
        throw FileFormatError("the file holds fewer columns than the answer area");

    BoardModel next = current;
    for (int x = current.clueSize; x < kBoardSide; ++x)
        for (int y = current.clueSize; y < kBoardSide; ++y)
            next.board(x, y) = kEmpty;

    for (std::size_t i = 0; i < columns.size(); ++i) {
        const auto items = splitItems(lines[i]);
        if (items.size() < static_cast<std::size_t>(height))
            throw FileFormatError("a column holds fewer cells than the answer area");
        for (int k = 0; k < height; ++k)
            answerCell(next, columns[i], k) = readItem16(items[k]);
    }
    return next;
}

} // namespace zumeli
