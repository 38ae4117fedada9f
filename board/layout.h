// Board geometry: twips, the zoom box's value and the layout values derived from them.
#pragma once

#include "board/board_model.h"

#include <stdexcept>
#include <string_view>

namespace zumeli {

// All window and board geometry is in twips; one screen pixel is 15 twips at 96 dpi.
constexpr int kTwipsPerPixel = 15;
constexpr int kMinZoom = 10;
constexpr int kMaxZoom = 500;
constexpr int kZoomStep = 10;

// The one conversion between twips and whole pixels (remainder dropped) used everywhere.
constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? twips / kTwipsPerPixel : -((-twips + kTwipsPerPixel - 1) / kTwipsPerPixel);
}
constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// Raised when the zoom box holds no number, or one outside 10..500: such a value never
// reaches the layout (a cell size of 0 would divide by zero in the hit test).
class ZoomError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the zoom box's text as a percentage; throws ZoomError.
double readZoom(std::string_view text);

// The layout values of the board, all in twips.
struct BoardLayout {
    int16 cellSize = 200;
    int16 boardWidthTw = 4000;
    int16 boardHeightTw = 4000;
    int16 clueBandTw = 1000;
};

// cellSize = zoom / 100 * 200 rounded half to even; the three products must fit 16 bits
// (throws OverflowError otherwise, before anything is changed).
BoardLayout computeLayout(double zoom, const BoardModel& model);

// The one conversion between board cells and twips of the board picture, both axes alike:
// cell i covers cellToTwips(i) up to cellToTwips(i + 1).
//
// The left (or top) edge of cell `index`: index * cellSize, an OverflowError beyond 16 bits.
int16 cellToTwips(int index, int16 cellSize);
// The cell a point lies on: the coordinate rounded to a whole number (halves to even), divided
// by cellSize with the remainder dropped (towards zero, so a point just left of or above the
// board still lands on cell 0). A coordinate that is not a number, or a cellSize below 1,
// gives -1: no cell of the board.
int twipsToCell(double twips, int16 cellSize);

// Point size of clue numbers at a zoom: 8 points at zoom 100.
constexpr double clueFontPoints(double zoom) { return 8.0 * zoom / 100.0; }

} // namespace zumeli
