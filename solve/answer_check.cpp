// The answer check: clue lists against run lists, line by line, the first difference ending it.
#include "solve/answer_check.h"

namespace zumeli {

std::vector<int16> clueListOfLine(const BoardModel& model, BoardLine line)
{
    std::vector<int16> clues;
    for (int i = 0; i < model.clueSize; ++i) {
        const int16 value = clueCell(model, line, i);
        if (value != 0)
            clues.push_back(value);
    }
    return clues;
}

bool lineAgrees(const std::vector<int16>& clues, const std::vector<int16>& runs, int clueSize)
{
    auto at = [](const std::vector<int16>& list, int i) -> int16 {
        return i < static_cast<int>(list.size()) ? list[i] : 0;
    };
    for (int i = 0; i < clueSize; ++i) {
        if (at(clues, i) != at(runs, i))
            return false;
    }
    return true;
}

std::optional<BoardLine> firstDisagreeingLine(const BoardModel& model)
{
    for (const BoardLine line : answerLines(model)) {
        if (!lineAgrees(clueListOfLine(model, line), runsOfLine(model, line), model.clueSize))
            return line;
    }
    return std::nullopt;
}

} // namespace zumeli
