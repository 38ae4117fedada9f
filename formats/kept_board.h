// The kept board: the board in play, its title and its zoom, written to the keep file while
// they have unsaved changes so that the next start can bring them back after the window was
// closed or the program ended abnormally. A small versioned text of the program's own.
#pragma once

#include "board/board_model.h"
#include "formats/format_errors.h"

#include <string>
#include <string_view>

namespace zumeli {

struct KeptBoard {
    BoardModel model;       // the board in use and its three dimensions; all else 0
    std::string titleName;  // the file name the title shows, UTF-8
    std::string zoom;       // the zoom box's text, a zoom the box accepts

    bool operator==(const KeptBoard&) const = default;
};

// The keep file's text: the line "zumeli-kept-board 1" (name and version), then
// "size clueSize,gridWidth,gridHeight", "zoom TEXT", "title TEXT" (backslash, CR and LF
// written as \\, \r and \n), "cells", the gridHeight rows of the board in use top to bottom
// (each its gridWidth cells, the clue band and its corner included) and "end". Lines end in
// CR LF. Cells beyond gridWidth and gridHeight, empty on every board the program holds, are
// not written.
std::string keptBoardText(const KeptBoard& kept);

// Reads a keep file's text back. Everything is checked before anything is returned: the name
// and version, dimensions a puzzle may have (clue band and answer area at least one cell
// each way, inside the board's 0..100), a zoom of 10..500, the escapes of the title, exactly
// gridHeight rows of gridWidth whole 16-bit numbers, and the closing line. Throws
// FileFormatError otherwise.
KeptBoard parseKeptBoard(std::string_view text);

} // namespace zumeli
