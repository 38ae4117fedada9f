// Which parts of the board are in files, compared as the text each file would hold.
#include "formats/saved_parts.h"

#include "board/board_line.h"
#include "formats/answer_state_file.h"
#include "formats/puzzle_file.h"

#include <algorithm>

namespace zumeli {

namespace {

// The text `write` gives for `model`, or nothing for a board the file cannot hold.
template <typename Write>
std::optional<std::string> textOf(Write write, const BoardModel& model)
{
    try {
        return write(model);
    } catch (const FileFormatError&) {
        return std::nullopt;
    }
}

bool allZero(const std::vector<int16>& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](int16 cell) { return cell == 0; });
}

} // namespace

void SavedParts::puzzleSaved(const BoardModel& model) { puzzle_ = textOf(puzzleText, model); }

void SavedParts::answerSaved(const BoardModel& model)
{
    answer_ = textOf(answerStateText, model);
}

bool SavedParts::allSaved(const BoardModel& model) const
{
    const auto inFile = [&](const std::optional<std::string>& saved, auto write) {
        return saved && textOf(write, model) == saved;
    };
    return (clueBandIsBlank(model) || inFile(puzzle_, puzzleText)) &&
           (answerAreaIsEmpty(model) || inFile(answer_, answerStateText));
}

bool clueBandIsBlank(const BoardModel& model)
{
    const std::vector<BoardLine> lines = answerLines(model);
    return std::all_of(lines.begin(), lines.end(),
                       [&](BoardLine line) { return allZero(clueCells(model, line)); });
}

bool answerAreaIsEmpty(const BoardModel& model)
{
    const std::vector<BoardLine> columns = answerColumns(model);
    return std::all_of(columns.begin(), columns.end(),
                       [&](BoardLine line) { return allZero(answerCells(model, line)); });
}

} // namespace zumeli
