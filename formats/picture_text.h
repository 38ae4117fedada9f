// Picture files: rows of '#' (filled) and '.' (empty), one row per line, all rows the same
// length, exactly the rows zumeli-solve --print writes for a solution.
#pragma once

#include "formats/format_errors.h"
#include "solve/engine/puzzle.h"

#include <string>
#include <string_view>

namespace zumeli {

// The largest picture a picture file holds, either way.
constexpr int kMaxPictureSide = 100;

// Reads a picture file's text (a byte-order mark, CR LF line ends and blank lines after the
// last row are accepted). Throws PuzzleFormatError naming the fault: no rows, a character other
// than '#' and '.', rows of different lengths, or more than kMaxPictureSide rows or columns.
solver::CellGrid parsePictureText(std::string_view text);

// The picture as rows of '#' and '.', each ended by '\n' (unknown cells are written as '.').
std::string pictureText(const solver::CellGrid& picture);

// Whether a file name names a picture file (it ends in ".txt", any case). The puzzle readers
// never take picture files; only the commands that work on pictures do.
bool isPictureFileName(std::string_view path);

} // namespace zumeli
