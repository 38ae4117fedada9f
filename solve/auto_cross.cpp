// Auto-cross: the empty cells of lines just finished become crosses.
#include "solve/auto_cross.h"

#include "board/board_line.h"
#include "solve/hint.h"

#include <algorithm>

namespace zumeli {

namespace {

bool hasClues(const BoardModel& model)
{
    const std::vector<BoardLine> lines = answerLines(model);
    return std::any_of(lines.begin(), lines.end(),
                       [&](BoardLine line) { return !clueNumbers(model, line).empty(); });
}

} // namespace

std::vector<BoardPoint> crossFinishedLines(BoardModel& model, const BoardModel& before)
{
    std::vector<BoardPoint> crossed;
    const bool sameShape = model.clueSize == before.clueSize && model.gridWidth == before.gridWidth
                           && model.gridHeight == before.gridHeight;
    if (!sameShape || !hasClues(model))
        return crossed;
    for (const BoardLine line : answerLines(model)) {
        if (!lineFinished(model, line) || lineFinished(before, line))
            continue;
        for (int i = 0; i < answerLength(model, line); ++i) {
            int16& cell = answerCell(model, line, i);
            if (cell != kEmpty)
                continue;
            cell = kCross;
            const int along = model.clueSize + i;
            crossed.push_back(line.kind == BoardLine::Column ? BoardPoint{line.index, along}
                                                             : BoardPoint{along, line.index});
        }
    }
    return crossed;
}

} // namespace zumeli
