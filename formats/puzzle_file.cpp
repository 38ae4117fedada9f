// Writing and reading the puzzle file's text.
#include "formats/puzzle_file.h"

#include "board/board_line.h"
#include "formats/text_scan.h"

#include <vector>

namespace zumeli {

namespace {

// The header splits into at most three parts; the third keeps the rest of the line, so a
// header with a fourth number fails as "15,7" is not a number.
std::vector<std::string_view> headerParts(std::string_view line)
{
    std::vector<std::string_view> parts;
    while (parts.size() < 2) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos)
            break;
        parts.push_back(line.substr(0, comma));
        line.remove_prefix(comma + 1);
    }
    parts.push_back(line);
    return parts;
}

// The band cells of one line, keeping every non-zero cell and always the last one.
std::vector<int16> keptCells(const std::vector<int16>& cells)
{
    std::vector<int16> kept;
    for (std::size_t j = 0; j < cells.size(); ++j)
        if (cells[j] != 0 || j + 1 == cells.size())
            kept.push_back(cells[j]);
    return kept;
}

// A clue line's numbers; more than the band holds is an error.
std::vector<int16> clueItems(std::string_view line, int clueSize)
{
    const auto items = splitItems(line);
    if (static_cast<long>(items.size()) > clueSize)
        throw FileFormatError("a clue line holds more numbers than the clue band");
    std::vector<int16> numbers;
    numbers.reserve(items.size());
    for (const auto item : items)
        numbers.push_back(readItem16(item));
    return numbers;
}

} // namespace

void checkPuzzleDimensions(long clueSize, long answerWidth, long answerHeight)
{
    if (clueSize < 1)
        throw FileFormatError("the clue band must be at least one cell thick");
    if (answerWidth < 1 || answerHeight < 1)
        throw FileFormatError("the answer area must be at least one cell each way");
    if (clueSize + answerWidth > kBoardSide - 1 || clueSize + answerHeight > kBoardSide - 1)
        throw FileFormatError("the puzzle is larger than the board");
}

std::string puzzleText(const BoardModel& model)
{
    checkPuzzleDimensions(model.clueSize, model.answerWidth(), model.answerHeight());

    std::string out;
    appendNumberLine(out, {model.clueSize, toInt16(model.answerWidth()),
                           toInt16(model.answerHeight())});
    for (const BoardLine line : answerLines(model))
        appendNumberLine(out, keptCells(clueCells(model, line)));
    return out;
}

BoardModel parsePuzzleText(std::string_view text)
{
    const auto lines = numberFileLines(text);
    if (lines.empty())
        throw FileFormatError("the file is empty");

    const auto parts = headerParts(lines[0]);
    if (parts.size() < 3)
        throw FileFormatError("the header needs the clue size, the width and the height");
    const long clueSize = readFloor16(parts[0]);
    const long answerWidth = readFloor16(parts[1]);
    const long answerHeight = readFloor16(parts[2]);
    checkPuzzleDimensions(clueSize, answerWidth, answerHeight);

    BoardModel loaded;  // every cell 0
    loaded.clueSize = toInt16(clueSize);
    loaded.gridWidth = add16(clueSize, answerWidth);
    loaded.gridHeight = add16(clueSize, answerHeight);

    const std::vector<BoardLine> boardLines = answerLines(loaded);
    if (lines.size() < 1 + boardLines.size())
        throw FileFormatError("the file ends before the last clue line");
    for (std::size_t i = 0; i < boardLines.size(); ++i)
        setPackedClues(loaded, boardLines[i], clueItems(lines[1 + i], loaded.clueSize));
    return loaded;
}

} // namespace zumeli
