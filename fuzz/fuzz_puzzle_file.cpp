// Fuzz target: the puzzle file (.zml) reader on arbitrary bytes, and the Load command's
// reader of every puzzle format.
#include "fuzz_checks.h"

#include "board/layout.h"
#include "formats/board_clues.h"
#include "formats/puzzle_file.h"
#include "formats/puzzle_formats.h"

#include <cstdint>
#include <string_view>

using namespace zumeli;

namespace {

// The Load command reads every format, told apart by the content and the file's name: it
// returns a board of the program's shape or refuses with one of the readers' errors.
void checkLoadCommandReader(std::string_view text)
{
    for (const char* name : {"puzzle.zml", "puzzle.non", "puzzle.xml", "puzzle"}) {
        try {
            fuzz::checkBoardShape(boardFromPuzzleFile(name, text));
        } catch (const FileFormatError&) {
        } catch (const PuzzleFormatError&) {
        } catch (const BoardLimitError&) {
        } catch (const std::exception& error) {
            fuzz::fail(std::string("boardFromPuzzleFile threw an undocumented exception: ") + error.what());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkLoadCommandReader(text);
    BoardModel model;
    if (!fuzz::readsOrRefuses<FileFormatError>("parsePuzzleText",
                                               [&] { model = parsePuzzleText(text); }))
        return 0;

    fuzz::checkBoardShape(model);
    // A loaded puzzle has an empty answer area and an empty corner.
    for (int x = 0; x < model.gridWidth; ++x)
        for (int y = 0; y < model.gridHeight; ++y)
            if ((x < model.clueSize) == (y < model.clueSize))
                fuzz::check(model.board(x, y) == 0, "the corner and the answer area are empty");
    // It lays out at zoom 100, the zoom every failed layout falls back to.
    try {
        computeLayout(100, model);
    } catch (const std::exception&) {
        fuzz::fail("a loaded puzzle does not lay out at zoom 100");
    }

    // What the writer makes of it reads back, and writes the same bytes again.
    std::string written;
    fuzz::check(fuzz::readsOrRefuses<FileFormatError>("puzzleText", [&] { written = puzzleText(model); }),
                "a loaded puzzle can be saved");
    BoardModel again;
    fuzz::check(fuzz::readsOrRefuses<FileFormatError>("parsePuzzleText",
                                                      [&] { again = parsePuzzleText(written); }),
                "a saved puzzle loads");
    fuzz::check(again.clueSize == model.clueSize && again.gridWidth == model.gridWidth
                    && again.gridHeight == model.gridHeight,
                "a saved puzzle keeps its dimensions");
    fuzz::check(puzzleText(again) == written, "saving a reloaded puzzle writes the same file");
    return 0;
}
