// Placing controls designed in twips: one rectangle conversion shared by every window.
#pragma once

#include "board/layout.h"

#include <QRect>

namespace zumeli {

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace zumeli
