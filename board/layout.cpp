// Layout values of the board from the zoom and the dimensions, overflow-checked.
#include "board/layout.h"

#include "board/number_text.h"

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

} // namespace zumeli
