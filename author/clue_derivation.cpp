// Clue derivation: the runs of every line packed into its clue cells.
#include "author/clue_derivation.h"

#include <algorithm>
#include <array>

namespace zumeli {

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
