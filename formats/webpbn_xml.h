// Reading and writing black-and-white puzzles in the webpbn XML format.
#pragma once

#include "formats/format_errors.h"
#include "solve/engine/puzzle.h"

#include <string>
#include <string_view>

namespace zumeli {

// Reads the first puzzle of a webpbn XML document with a small built-in parser (a DOCTYPE is
// skipped, never fetched). Throws PuzzleFormatError for malformed XML, missing clues, bad
// numbers, sizes past the readers' limit, or a puzzle with colours other than black.
solver::Puzzle parseWebpbnXml(std::string_view text);

// Writes a well-formed webpbn XML document holding the puzzle, its properties and its goal.
std::string webpbnXmlText(const solver::Puzzle& puzzle);

// Whether a text looks like XML rather than .non: after blanks and a byte order mark it starts
// with "<?xml" or "<puzzleset".
bool looksLikeXml(std::string_view text);

} // namespace zumeli
