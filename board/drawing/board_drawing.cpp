// Drawing the grid, the clue numbers and the answer cells of the board model.
#include "board/drawing/board_drawing.h"

namespace zumeli {

QString clueText(int value)
{
    const QString digits = QString::number(value);
    return value >= 0 ? QStringLiteral(" ") + digits : digits;
}

void drawGrid(BoardPicture& picture, const BoardModel& model, const BoardLayout& layout)
{
    const int c = layout.cellSize;
    const int band = layout.clueBandTw;
    // The window lays out and draws the grid several times in one redraw; a picture that
    // already holds exactly this grid on white keeps it.
    const BoardPicture::DrawingKey grid{c,           band,           layout.boardWidthTw,
                                        layout.boardHeightTw, model.gridWidth, model.gridHeight,
                                        model.clueSize, 0};
    if (picture.restoreDrawing(grid))
        return;
    picture.clear();
    {
        const BoardPicture::Batch batch(picture);
        picture.line(0, 0, band, band);
        for (int i = 0; i < model.gridWidth; ++i) {
            if (i == model.clueSize)
                continue;
            const int x = cellToTwips(i, c);
            picture.line(x, band, x, layout.boardHeightTw);
            picture.line(x, 0, x, band);
        }
        for (int j = 0; j < model.gridHeight; ++j) {
            if (j == model.clueSize)
                continue;
            const int y = cellToTwips(j, c);
            picture.line(band, y, layout.boardWidthTw, y);
            picture.line(0, y, band, y);
        }
    }
    picture.markDrawing(grid);
}

QPoint clueTextOrigin(int value, int16 x, int16 y, const BoardLayout& layout, double zoom)
{
    const double s = zoom / 100.0;
    const int cellLeft = cellToTwips(x, layout.cellSize);
    const int cellTop = cellToTwips(y, layout.cellSize);
    const bool oneCharacter = QString::number(value).size() == 1;
    const double left = oneCharacter ? cellLeft + 15.0 * s : cellLeft - 25.0 * s;
    const double top = cellTop + 25.0 * s;
    return {roundHalfEven16(left), roundHalfEven16(top)};
}

CluePrint cluePrint(BoardPicture& picture, int value, int16 x, int16 y, const BoardLayout& layout,
                    double zoom)
{
    const CluePrint designed{clueText(value), clueTextOrigin(value, x, y, layout, zoom)};
    const QString digits = QString::number(value);
    if (digits.size() == 1)
        return designed;
    // The pixels between the cell's two grid lines.
    const int left = twipsToPixels(cellToTwips(x, layout.cellSize)) + 1;
    const int right = twipsToPixels(cellToTwips(x + 1, layout.cellSize)) - 1;
    const double points = clueFontPoints(zoom);
    const QRect ink = picture.textInk(designed.text, points)
                          .translated(twipsToPixels(designed.originTw.x()), 0);
    if (ink.isEmpty() || (ink.left() >= left && ink.right() <= right))
        return designed;
    // A blank pixel on either side keeps the digits apart from the lines, and from the
    // neighbours' digits.
    const int width = right - left - 1;
    const qreal scale = picture.scaleToFit(digits, points, width);
    const QRect narrowed = picture.textInk(digits, points, scale);
    const int start = left + 1 + (width - narrowed.width()) / 2 - narrowed.left();
    return {digits, QPoint(pixelsToTwips(start), designed.originTw.y()), scale};
}

void drawClueNumber(BoardPicture& picture, int value, int16 x, int16 y, const BoardLayout& layout,
                    double zoom)
{
    const CluePrint print = cluePrint(picture, value, x, y, layout, zoom);
    picture.printText(print.originTw.x(), print.originTw.y(), print.text, clueFontPoints(zoom),
                      print.horizontalScale);
}

void drawClueNumbers(BoardPicture& picture, const BoardModel& model, const BoardLayout& layout,
                     double zoom)
{
    const int16 band = model.clueSize;
    const BoardPicture::Batch batch(picture);
    for (int16 x = band; x < model.gridWidth; ++x)
        for (int16 y = 0; y < band; ++y)
            if (model.board(x, y) != 0 || y == band - 1)
                drawClueNumber(picture, model.board(x, y), x, y, layout, zoom);
    for (int16 y = band; y < model.gridHeight; ++y)
        for (int16 x = 0; x < band; ++x)
            if (model.board(x, y) != 0 || x == band - 1)
                drawClueNumber(picture, model.board(x, y), x, y, layout, zoom);
}

void drawCell(BoardPicture& picture, int value, int16 x, int16 y, const BoardLayout& layout)
{
    const int c = layout.cellSize;
    const int left = cellToTwips(x, c);
    const int top = cellToTwips(y, c);
    picture.box(left, top, c, c, Qt::white);
    if (value == kFilled)
        picture.box(left, top, c, c, Qt::black);
    else if (value == kCross) {
        picture.line(left, top, left + c, top + c);
        picture.line(left, top + c, left + c, top);
    }
}

void drawAnswerCells(BoardPicture& picture, const BoardModel& model, const BoardLayout& layout)
{
    const BoardPicture::Batch batch(picture);
    for (int16 x = model.clueSize; x < model.gridWidth; ++x)
        for (int16 y = model.clueSize; y < model.gridHeight; ++y)
            drawCell(picture, model.board(x, y), x, y, layout);
}

BorderLines borderLines(const BoardModel& model, const BoardLayout& layout)
{
    const int edge = cellToTwips(model.clueSize, layout.cellSize);
    return {QLine(edge, 0, edge, layout.boardHeightTw), QLine(0, edge, layout.boardWidthTw, edge)};
}

} // namespace zumeli
