// Writing and applying the answer-state file's text.
#include "files/answer_state_file.h"

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
    std::vector<int16> column(static_cast<std::size_t>(model.answerHeight()));
    for (int x = model.clueSize; x < model.gridWidth; ++x) {
        for (int y = model.clueSize; y < model.gridHeight; ++y)
            column[y - model.clueSize] = model.board(x, y);
        appendNumberLine(out, column);
    }
    return out;
}

BoardModel applyAnswerState(const BoardModel& current, std::string_view text)
{
    checkAnswerArea(current);
    const int width = current.answerWidth();
    const int height = current.answerHeight();

    const auto lines = splitLines(text);
    if (lines.size() < static_cast<std::size_t>(width))
        throw FileFormatError("the file holds fewer columns than the answer area");

    BoardModel next = current;
    for (int x = current.clueSize; x < kBoardSide; ++x)
        for (int y = current.clueSize; y < kBoardSide; ++y)
            next.board(x, y) = kEmpty;

    for (int i = 0; i < width; ++i) {
        const auto items = splitItems(lines[i]);
        if (items.size() < static_cast<std::size_t>(height))
            throw FileFormatError("a column holds fewer cells than the answer area");
        const int x = current.clueSize + i;
        for (int k = 0; k < height; ++k)
            next.board(x, current.clueSize + k) = readItem16(items[k]);
    }
    return next;
}

} // namespace zumeli
