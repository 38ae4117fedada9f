// The cell picture the check window and the picture import show.
#include "widgets/cell_grid_view.h"

#include <QPainter>

#include <algorithm>

namespace zumeli {

CellGridView::CellGridView(QWidget* parent, int maxPixels) : QWidget(parent), maxPixels_(maxPixels) {}

void CellGridView::setGrid(const solver::CellGrid& grid, const std::vector<bool>& marked)
{
    grid_ = grid;
    marked_ = marked;
    setFixedSize(sizeHint());
    update();
}

int CellGridView::cellPixels() const
{
    const int side = std::max(grid_.width, grid_.height);
    return side == 0 ? 8 : std::clamp(maxPixels_ / side, 3, 16);
}

QSize CellGridView::sizeHint() const
{
    const int c = cellPixels();
    return {grid_.width * c + 1, grid_.height * c + 1};
}

void CellGridView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int c = cellPixels();
    for (int y = 0; y < grid_.height; ++y)
        for (int x = 0; x < grid_.width; ++x) {
            const QRect cell(x * c, y * c, c, c);
            switch (grid_.at(x, y)) {
            case solver::Cell::Filled: painter.fillRect(cell, Qt::black); break;
            case solver::Cell::Empty: painter.fillRect(cell, Qt::white); break;
            case solver::Cell::Unknown: painter.fillRect(cell, QColor(200, 200, 200)); break;
            }
        }
    painter.setPen(QColor(160, 160, 160));
    for (int x = 0; x <= grid_.width; ++x)
        painter.drawLine(x * c, 0, x * c, grid_.height * c);
    for (int y = 0; y <= grid_.height; ++y)
        painter.drawLine(0, y * c, grid_.width * c, y * c);
    painter.setPen(QPen(Qt::red, 2));
    painter.setBrush(Qt::NoBrush);
    for (int y = 0; y < grid_.height; ++y)
        for (int x = 0; x < grid_.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * grid_.width + x;
            if (i < marked_.size() && marked_[i])
                painter.drawRect(QRect(x * c + 1, y * c + 1, c - 2, c - 2));
        }
}

} // namespace zumeli
