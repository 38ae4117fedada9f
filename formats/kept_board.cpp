// Writing and reading the kept board's text.
#include "formats/kept_board.h"

#include "board/layout.h"
#include "formats/puzzle_file.h"
#include "formats/text_scan.h"

#include <vector>

namespace zumeli {

namespace {

constexpr std::string_view kNameLine = "zumeli-kept-board 1";
constexpr std::string_view kSizeKey = "size ";
constexpr std::string_view kZoomKey = "zoom ";
constexpr std::string_view kTitleKey = "title ";
constexpr std::string_view kCellsLine = "cells";
constexpr std::string_view kEndLine = "end";

void appendLine(std::string& out, std::string_view key, std::string_view value)
{
    out += key;
    out += value;
    out += kLineEnd;
}

std::string escapedTitle(std::string_view title)
{
    std::string out;
    for (const char c : title) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default: out += c;
        }
    }
    return out;
}

std::string unescapedTitle(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            throw FileFormatError("the title ends inside an escape");
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        default: throw FileFormatError("the title holds an unknown escape");
        }
    }
    return out;
}

// The value after `key` on a line that must start with it.
std::string_view valueOf(std::string_view line, std::string_view key)
{
    if (!line.starts_with(key))
        throw FileFormatError("expected the line \"" + std::string(key) + "...\"");
    return line.substr(key.size());
}

// A whole number as the program writes it: an optional minus and digits, nothing else.
int16 readWhole16(std::string_view item)
{
    std::string_view digits = item;
    if (digits.starts_with('-'))
        digits.remove_prefix(1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        throw FileFormatError("not a whole number: \"" + std::string(item) + "\"");
    return readItem16(item);
}

std::vector<int16> wholeNumbers(std::string_view line)
{
    std::vector<int16> numbers;
    for (const std::string_view item : splitItems(line))
        numbers.push_back(readWhole16(item));
    return numbers;
}

} // namespace

std::string keptBoardText(const KeptBoard& kept)
{
    const BoardModel& model = kept.model;
    std::string out;
    appendLine(out, kNameLine, {});
    out += kSizeKey;
    appendNumberLine(out, {model.clueSize, model.gridWidth, model.gridHeight});
    appendLine(out, kZoomKey, kept.zoom);
    appendLine(out, kTitleKey, escapedTitle(kept.titleName));
    appendLine(out, kCellsLine, {});
    for (int y = 0; y < model.gridHeight; ++y) {
        std::vector<int16> row;
        for (int x = 0; x < model.gridWidth; ++x)
            row.push_back(model.board(x, y));
        appendNumberLine(out, row);
    }
    appendLine(out, kEndLine, {});
    return out;
}

KeptBoard parseKeptBoard(std::string_view text)
{
    const auto lines = numberFileLines(text);
    constexpr std::size_t kHeaderLines = 5;
    if (lines.empty() || lines[0] != kNameLine)
        throw FileFormatError("not a kept board of this version");
    if (lines.size() < kHeaderLines)
        throw FileFormatError("the keep file ends inside its header");

    KeptBoard kept;
    BoardModel& model = kept.model;
    const std::vector<int16> size = wholeNumbers(valueOf(lines[1], kSizeKey));
    if (size.size() != 3)
        throw FileFormatError("the size needs the clue size, the grid width and the height");
    checkPuzzleDimensions(size[0], size[1] - size[0], size[2] - size[0]);
    model.clueSize = size[0];
    model.gridWidth = size[1];
    model.gridHeight = size[2];

    kept.zoom = std::string(valueOf(lines[2], kZoomKey));
    try {
        readZoom(kept.zoom);
    } catch (const ZoomError&) {
        throw FileFormatError("the zoom is not one the zoom box accepts");
    }

    kept.titleName = unescapedTitle(valueOf(lines[3], kTitleKey));
    if (lines[4] != kCellsLine)
        throw FileFormatError("expected the line \"cells\"");
    const auto rows = static_cast<std::size_t>(model.gridHeight);
    if (lines.size() != kHeaderLines + rows + 1 || lines.back() != kEndLine)
        throw FileFormatError("the rows of the board do not end with the line \"end\"");
    for (int y = 0; y < model.gridHeight; ++y) {
        const std::vector<int16> row = wholeNumbers(lines[kHeaderLines + y]);
        if (row.size() != static_cast<std::size_t>(model.gridWidth))
            throw FileFormatError("a board row does not hold gridWidth cells");
        for (int x = 0; x < model.gridWidth; ++x)
            model.board(x, y) = row[x];
    }
    return kept;
}

} // namespace zumeli
