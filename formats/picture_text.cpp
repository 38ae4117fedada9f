// Picture files: rows of '#' and '.'.
#include "formats/picture_text.h"

#include "formats/puzzle_formats.h"
#include "formats/text_scan.h"

#include <string>
#include <vector>

namespace zumeli {

namespace {

std::string describe(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x21 && u < 0x7F)
        return std::string("'") + c + "'";
    static const char* const hex = "0123456789ABCDEF";
    return std::string("byte 0x") + hex[u >> 4] + hex[u & 15];
}

} // namespace

solver::CellGrid parsePictureText(std::string_view text)
{
    if (text.size() > kMaxTextFileBytes)
        throw PuzzleFormatError("the picture file is too large");
    std::vector<std::string_view> lines = textLines(text);
    while (!lines.empty() && trimWhiteSpace(lines.back()).empty())
        lines.pop_back();
    if (lines.empty())
        throw PuzzleFormatError("the picture has no rows");
    const std::size_t width = lines.front().size();
    if (lines.size() > static_cast<std::size_t>(kMaxPictureSide) || width > static_cast<std::size_t>(kMaxPictureSide))
        throw PuzzleFormatError("the picture is larger than " + std::to_string(kMaxPictureSide) + " x "
                                + std::to_string(kMaxPictureSide) + " cells");
    solver::CellGrid picture(static_cast<int>(width), static_cast<int>(lines.size()));
    for (std::size_t y = 0; y < lines.size(); ++y) {
        const std::string_view line = lines[y];
        for (std::size_t x = 0; x < line.size(); ++x) {
            const char c = line[x];
            if (c != '#' && c != '.')
                throw PuzzleFormatError("row " + std::to_string(y + 1) + ", column " + std::to_string(x + 1)
                                        + ": " + describe(c) + " is not '#' or '.'");
        }
        if (line.size() != width)
            throw PuzzleFormatError("row " + std::to_string(y + 1) + " has " + std::to_string(line.size())
                                    + " cells, row 1 has " + std::to_string(width));
        for (std::size_t x = 0; x < width; ++x)
            picture.at(static_cast<int>(x), static_cast<int>(y)) =
                line[x] == '#' ? solver::Cell::Filled : solver::Cell::Empty;
    }
    return picture;
}

std::string pictureText(const solver::CellGrid& picture)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(picture.width + 1) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            text.push_back(picture.at(x, y) == solver::Cell::Filled ? '#' : '.');
        text.push_back('\n');
    }
    return text;
}

bool isPictureFileName(std::string_view path)
{
    return hasFileExtension(path, ".txt");
}

} // namespace zumeli
