// Layout values of the board from the zoom and the dimensions, overflow-checked.
#include "board/layout.h"

#include "board/number_text.h"

#include <algorithm>
#include <cmath>

namespace zumeli {

double readZoom(std::string_view text)
{
    const auto zoom = parseDecimal(text);
    if (!zoom)
        throw ZoomError("the zoom is not a number");
    if (*zoom < kMinZoom || *zoom > kMaxZoom)
        throw ZoomError("the zoom lies outside 10..500");
    return *zoom;
}

BoardLayout computeLayout(double zoom, const BoardModel& model)
{
    BoardLayout layout;
    layout.cellSize = roundHalfEven16(zoom / 100.0 * 200.0);
    layout.boardWidthTw = mul16(layout.cellSize, model.gridWidth);
    layout.boardHeightTw = mul16(layout.cellSize, model.gridHeight);
    layout.clueBandTw = mul16(layout.cellSize, model.clueSize);
    return layout;
}

int16 cellToTwips(int index, int16 cellSize) { return mul16(index, cellSize); }

int twipsToCell(double twips, int16 cellSize)
{
    if (!std::isfinite(twips) || cellSize <= 0)
        return -1;
    // Far beyond any board (101 cells of at most 32767 twips in all); keeps the conversion
    // below defined.
    const double clamped = std::clamp(twips, -1.0e6, 1.0e6);
    const long whole = std::lround(std::nearbyint(clamped));  // halves to even
    return static_cast<int>(whole / cellSize);
}

} // namespace zumeli
