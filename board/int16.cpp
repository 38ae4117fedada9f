// Half-to-even rounding into 16 bits, shared by the layout and the window sizing.
#include "board/int16.h"

#include <cmath>

namespace zumeli {

int16 roundHalfEven16(double value)
{
    if (!std::isfinite(value))
        throw OverflowError("16-bit overflow: not a finite number");
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        throw OverflowError("16-bit overflow: " + std::to_string(value));
    return static_cast<int16>(rounded);
}

} // namespace zumeli
