// The board model: one 101 x 101 grid of 16-bit cells holding clue numbers and answer
// cells, plus the three dimensions that say which part is in use.
#pragma once

#include "board/int16.h"

#include <array>

namespace zumeli {

constexpr int kBoardSide = 101;     // both indices run 0..100
constexpr int kMaxClueSize = 20;    // clue band thickness the authoring commands allow
constexpr int kMaxAnswerSide = 80;  // answer area width/height the authoring commands allow

// Answer-cell codes. Any other value in the answer area is shown like kEmpty.
enum CellCode : int16 { kEmpty = 0, kFilled = 1, kCross = 2 };

// The 101 x 101 cell array, addressed (x, y) with x the column; element y * 101 + x.
// A cell position in board coordinates: x is the column, y the row, both counted from the
// board's top-left cell (clue cells included). A position read from the screen may lie off
// the board, even be negative; BoardModel::isAnswerCell tells whether it is an answer cell.
struct BoardPoint {
    int x = 0;
    int y = 0;
    bool operator==(const BoardPoint&) const = default;
};

class Grid {
public:
    Grid() { cells_.fill(0); }

    int16& operator()(int x, int y) { return cells_[offset(x, y)]; }
    int16 operator()(int x, int y) const { return cells_[offset(x, y)]; }

    void clear() { cells_.fill(0); }
    bool operator==(const Grid&) const = default;

    // Throws IndexError for an index outside 0..100.
    static void checkIndex(long x, long y);

private:
    static std::size_t offset(int x, int y)
    {
        checkIndex(x, y);
        return static_cast<std::size_t>(y) * kBoardSide + static_cast<std::size_t>(x);
    }

    std::array<int16, kBoardSide * kBoardSide> cells_;
};

// The board and its dimensions. The columns and rows clueSize..gridWidth-1 and
// clueSize..gridHeight-1 are the answer area; the cells above and left of it are the clue band.
struct BoardModel {
    Grid board;
    int16 clueSize = 5;
    int16 gridWidth = 20;
    int16 gridHeight = 20;

    int answerWidth() const { return gridWidth - clueSize; }
    int answerHeight() const { return gridHeight - clueSize; }
    bool isAnswerCell(int x, int y) const
    {
        return x >= clueSize && y >= clueSize && x < gridWidth && y < gridHeight;
    }
    bool operator==(const BoardModel&) const = default;
};

// The one board of the running program, owned for the whole run by the main window.
BoardModel& theBoard();

} // namespace zumeli
