// The answer check: clue numbers against runs, line by line, the first difference ending it.
#include "solve/answer_check.h"

namespace zumeli {

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
        if (!lineAgrees(clueNumbers(model, line), runsOfLine(model, line), model.clueSize))
            return line;
    }
    return std::nullopt;
}

} // namespace zumeli
