// The program's single board instance and the index check every cell access uses.
#include "board/board_model.h"

#include <string>

namespace zumeli {

void Grid::checkIndex(long x, long y)
{
    if (x < 0 || x >= kBoardSide || y < 0 || y >= kBoardSide)
        throw IndexError("board index outside 0..100: (" + std::to_string(x) + ", "
                         + std::to_string(y) + ")");
}

BoardModel& theBoard()
{
    static BoardModel model;
    return model;
}

} // namespace zumeli
