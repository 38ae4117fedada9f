// Reading and writing black-and-white puzzles in the webpbn XML format.
#pragma once

#include "formats/format_errors.h"
#include "solve/engine/puzzle.h"

#include <string>
#include <string_view>

namespace zumeli {

// Reads the first puzzle of a webpbn XML document (a DOCTYPE is skipped, never fetched).
// Throws PuzzleFormatError for malformed XML, missing clues, bad numbers, sizes past the
// readers' limit, or a puzzle with colours other than black.
solver::Puzzle parseWebpbnXml(std::string_view text);

// Writes a well-formed webpbn XML document holding the puzzle, its properties and its goal.
// What it writes reads back to the same clues and goal, and to the properties as
// webpbnPropertyText gives them.
std::string webpbnXmlText(const solver::Puzzle& puzzle);

// A title, author, copyright or catalogue as the format keeps it: without white space at
// either end, at most 4 MiB, and each character XML cannot hold (NUL and the other control
// characters but tab, line feed and carriage return; bytes that are not UTF-8) replaced by
// U+FFFD. The reader gives every property this way and the writer writes it this way, so a
// written file reads back to exactly what was written.
std::string webpbnPropertyText(std::string_view text);

// Whether a text looks like XML rather than .non: after blanks and a byte order mark it starts
// with "<?xml", "<puzzleset" or "<!DOCTYPE".
bool looksLikeXml(std::string_view text);

} // namespace zumeli
