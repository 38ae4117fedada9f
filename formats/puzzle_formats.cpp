// Format detection and reading of puzzles in every format the program opens.
#include "formats/puzzle_formats.h"

#include "formats/board_clues.h"
#include "formats/non_format.h"
#include "formats/puzzle_file.h"
#include "formats/text_scan.h"
#include "formats/webpbn_xml.h"

#include <cctype>

namespace zumeli {

bool hasFileExtension(std::string_view path, std::string_view extension)
{
    if (path.size() < extension.size())
        return false;
    const std::string_view tail = path.substr(path.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != extension[i])
            return false;
    return true;
}

PuzzleFormat detectPuzzleFormat(std::string_view path, std::string_view text)
{
    if (looksLikeXml(text) || hasFileExtension(path, ".xml"))
        return PuzzleFormat::WebpbnXml;
    if (hasFileExtension(path, ".zml"))
        return PuzzleFormat::Zml;
    if (hasFileExtension(path, ".non"))
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

solver::Puzzle puzzleFromPuzzleFile(std::string_view path, std::string_view text)
{
    switch (detectPuzzleFormat(path, text)) {
    case PuzzleFormat::WebpbnXml: return parseWebpbnXml(text);
    case PuzzleFormat::Non: return parseNonText(text);
    case PuzzleFormat::Zml: break;
    }
    return puzzleFromBoard(parsePuzzleText(text));
}

} // namespace zumeli
