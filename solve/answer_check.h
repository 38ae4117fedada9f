// The answer check: whether the drawing in the answer area agrees with the clue numbers.
#pragma once

#include "board/board_line.h"
#include "board/board_model.h"

#include <optional>
#include <vector>

namespace zumeli {

// True when the runs agree with the clues at the first clueSize places (both lists count
// as 0 beyond their end). Runs after the clueSize-th are not looked at: the band cannot
// hold them.
bool lineAgrees(const std::vector<int16>& clues, const std::vector<int16>& runs, int clueSize);

// The first line, columns before rows, whose runs disagree with its clue numbers; nothing
// when the whole drawing agrees. The board is only read.
std::optional<BoardLine> firstDisagreeingLine(const BoardModel& model);

inline bool answerMatchesClues(const BoardModel& model)
{
    return !firstDisagreeingLine(model).has_value();
}

} // namespace zumeli
