// Reading and checking the new-puzzle dialog's boxes, and the empty board of a new puzzle.
#include "author/new_puzzle.h"

#include "board/number_text.h"

namespace zumeli {

std::optional<long long> readNumberBox(const QString& text)
{
    return parseFloor(text.toStdString());
}

std::optional<int16> boxInRange(const QString& text, int minimum, int maximum)
{
    const auto value = readNumberBox(text);
    if (!value || *value < minimum || *value > maximum)
        return std::nullopt;
    return static_cast<int16>(*value);
}

std::optional<int16> clueSizeFromBox(const QString& text)
{
    return boxInRange(text, 1, kMaxClueSize);
}

NewPuzzleEntry checkNewPuzzleEntries(const QString& clueSizeText, const QString& widthText,
                                     const QString& heightText)
{
    const auto clueSize = clueSizeFromBox(clueSizeText);
    if (!clueSize)
        return {std::nullopt, translated(kClueSizeRangeMessage)};
    const auto width = boxInRange(widthText, 1, kMaxAnswerSide);
    if (!width)
        return {std::nullopt, translated(kAnswerSideRangeMessage)};
    const auto height = boxInRange(heightText, 1, kMaxAnswerSide);
    if (!height)
        return {std::nullopt, translated(kAnswerSideRangeMessage)};
    return {NewPuzzleSize{*clueSize, *width, *height}, QString()};
}

BoardModel newPuzzleBoard(const NewPuzzleSize& size)
{
    BoardModel model;  // every cell 0
    model.clueSize = size.clueSize;
    model.gridWidth = add16(size.clueSize, size.width);
    model.gridHeight = add16(size.clueSize, size.height);
    return model;
}

} // namespace zumeli
