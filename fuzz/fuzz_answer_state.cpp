// Fuzz target: the answer-state file (.sts) applied to a few boards of different shapes.
#include "fuzz_checks.h"

#include "formats/answer_state_file.h"

#include <cstdint>
#include <string_view>
#include <vector>

using namespace zumeli;

namespace {

BoardModel shapedBoard(int clueSize, int width, int height)
{
    BoardModel model;
    model.clueSize = static_cast<int16>(clueSize);
    model.gridWidth = static_cast<int16>(clueSize + width);
    model.gridHeight = static_cast<int16>(clueSize + height);
    // Clue numbers, and leftovers of an earlier larger puzzle beyond the board in use.
    for (int x = 0; x < kBoardSide; ++x)
        for (int y = 0; y < kBoardSide; ++y)
            if (x < clueSize || y < clueSize || x >= model.gridWidth || y >= model.gridHeight)
                model.board(x, y) = static_cast<int16>((x * 7 + y * 3) % 11);
    return model;
}

const std::vector<BoardModel>& boards()
{
    static const std::vector<BoardModel> all = {
        shapedBoard(5, 15, 15),   // the start-up board
        shapedBoard(20, 80, 80),  // the largest
        shapedBoard(1, 1, 1),     // the smallest
        shapedBoard(2, 3, 1),     // wide and flat
        shapedBoard(90, 10, 3),   // a band a loaded file may bring
    };
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const BoardModel& current : boards()) {
        BoardModel next;
        if (!fuzz::readsOrRefuses<FileFormatError>("applyAnswerState",
                                                    [&] { next = applyAnswerState(current, text); }))
            continue;
        fuzz::check(next.clueSize == current.clueSize && next.gridWidth == current.gridWidth
                        && next.gridHeight == current.gridHeight,
                    "the dimensions never change");
        for (int x = 0; x < kBoardSide; ++x)
            for (int y = 0; y < kBoardSide; ++y) {
                if (x < current.clueSize || y < current.clueSize)
                    fuzz::check(next.board(x, y) == current.board(x, y), "the clue band is untouched");
                else if (x >= current.gridWidth || y >= current.gridHeight)
                    fuzz::check(next.board(x, y) == 0, "nothing survives right of or below the answer area");
            }
        // Saving what was loaded and loading it again gives the same board.
        const std::string written = answerStateText(next);
        BoardModel again;
        fuzz::check(fuzz::readsOrRefuses<FileFormatError>(
                        "applyAnswerState", [&] { again = applyAnswerState(current, written); }),
                    "a saved answer state loads");
        fuzz::check(again == next, "an answer state survives a save and a load");
    }
    return 0;
}
