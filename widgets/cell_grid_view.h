// A picture of cells, black and white (grey for undecided), with chosen cells framed in red.
#pragma once

#include "solve/engine/puzzle.h"

#include <QWidget>

#include <vector>

namespace zumeli {

class CellGridView : public QWidget {
    Q_OBJECT

public:
    // `maxPixels` bounds the longer side of the picture; cells are 3 to 16 pixels.
    explicit CellGridView(QWidget* parent = nullptr, int maxPixels = 320);
    void setGrid(const solver::CellGrid& grid, const std::vector<bool>& marked);
    const solver::CellGrid& grid() const { return grid_; }
    const std::vector<bool>& marked() const { return marked_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int cellPixels() const;
    int maxPixels_;
    solver::CellGrid grid_;
    std::vector<bool> marked_;
};

} // namespace zumeli
