// Format detection and reading of puzzles in every format the program opens.
#include "files/puzzle_formats.h"

#include "files/board_clues.h"
#include "files/non_format.h"
#include "files/puzzle_file.h"
#include "files/webpbn_xml.h"

#include <cctype>

namespace zumeli {

namespace {

bool hasExtension(std::string_view path, std::string_view extension)
{
    if (path.size() < extension.size())
        return false;
    const std::string_view tail = path.substr(path.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != extension[i])
            return false;
    return true;
}

// The first character that is not a blank, a line end or a byte-order mark.
char firstMeaningfulCharacter(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    for (const char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            return c;
    return '\0';
}

} // namespace

PuzzleFormat detectPuzzleFormat(std::string_view path, std::string_view text)
{
    if (looksLikeXml(text) || hasExtension(path, ".xml"))
        return PuzzleFormat::WebpbnXml;
    if (hasExtension(path, ".zml"))
        return PuzzleFormat::Zml;
    if (hasExtension(path, ".non"))
        return PuzzleFormat::Non;
    const char first = firstMeaningfulCharacter(text);
    return std::isdigit(static_cast<unsigned char>(first)) || first == '-' ? PuzzleFormat::Zml
                                                                           : PuzzleFormat::Non;
}

BoardModel boardFromPuzzleFile(std::string_view path, std::string_view text)
{
    switch (detectPuzzleFormat(path, text)) {
    case PuzzleFormat::WebpbnXml: return boardFromPuzzle(parseWebpbnXml(text));
    case PuzzleFormat::Non: return boardFromPuzzle(parseNonText(text));
    case PuzzleFormat::Zml: break;
    }
    return parsePuzzleText(text);
}

} // namespace zumeli
