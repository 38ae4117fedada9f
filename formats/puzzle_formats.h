// Telling the puzzle formats apart (.zml, .non, webpbn XML) and reading any of them.
#pragma once

#include "board/board_model.h"
#include "solve/engine/puzzle.h"

#include <string_view>

namespace zumeli {

enum class PuzzleFormat { Zml, Non, WebpbnXml };

// Whether `path` ends in `extension` (given in lower case, with its dot), in any case.
bool hasFileExtension(std::string_view path, std::string_view extension);

// By content first (an XML document), then by the file's extension (any case), then by
// content again: a .zml file starts with its numeric header, a .non file with keywords.
PuzzleFormat detectPuzzleFormat(std::string_view path, std::string_view text);

// Reads a puzzle of any of the formats into a new board: a .zml file exactly as written,
// the others with the clue band sized to their longest clue line. Throws FileFormatError,
// PuzzleFormatError or BoardLimitError (a puzzle the board cannot hold).
BoardModel boardFromPuzzleFile(std::string_view path, std::string_view text);

// Reads a puzzle of any of the formats as the solver's clue lists: .non and webpbn XML with
// their properties and goal, a .zml file through the board. Throws FileFormatError or
// PuzzleFormatError.
solver::Puzzle puzzleFromPuzzleFile(std::string_view path, std::string_view text);

} // namespace zumeli
