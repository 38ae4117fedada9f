// Painting the player's help over the board picture.
#include "main_window/play_overlay.h"

#include "board/drawing/board_drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace zumeli {

namespace {

const QColor kHintLine(255, 190, 0, 70);
const QColor kHintFrame(230, 140, 0);
const QColor kHintMark(0, 150, 70, 200);
const QColor kWrongLine(255, 0, 0, 45);
const QColor kWrongFrame(220, 0, 0);
const QColor kMistakeFill(255, 0, 0, 90);
const QColor kGreying(255, 255, 255, 165);  // black numbers under it show grey
const QColor kCursor(0, 90, 255);
const QColor kCompletionFill(255, 250, 215, 215);  // the picture shows faintly through
const QColor kCompletionFrame(220, 150, 0);
const QColor kCompletionText(190, 60, 0);
const QColor kDragRunFill(255, 255, 225);
const QColor kDragRunText(0, 0, 0);
// The cursor's frame: the cell's outline and the interior's outermost pixels.
constexpr int kCursorWidth = 3;
constexpr int kMistakeFrameWidth = 2;

// The pixels of cell (x, y) inside its black outline.
QRect cellInterior(int x, int y, const BoardLayout& layout)
{
    const int left = cellToTwips(x, layout.cellSize);
    const int top = cellToTwips(y, layout.cellSize);
    return QRect(QPoint(twipsToPixels(left) + 1, twipsToPixels(top) + 1),
                 QPoint(twipsToPixels(left + layout.cellSize) - 1, twipsToPixels(top + layout.cellSize) - 1));
}

// The pixels from cell `from` to cell `to` (inclusive), outlines included as far as the
// picture reaches (the outline after the last column and row lies just outside it).
QRect cellBlock(BoardPoint from, BoardPoint to, const BoardLayout& layout)
{
    const QRect a = cellInterior(std::min(from.x, to.x), std::min(from.y, to.y), layout);
    const QRect b = cellInterior(std::max(from.x, to.x), std::max(from.y, to.y), layout);
    const QRect picture(0, 0, twipsToPixels(layout.boardWidthTw), twipsToPixels(layout.boardHeightTw));
    return a.united(b).adjusted(-1, -1, 1, 1) & picture;
}

void frame(QPainter& painter, const QRect& rect, const QColor& colour, int width)
{
    painter.save();
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    const int inset = width / 2;
    painter.drawRect(rect.adjusted(inset, inset, -(width - inset), -(width - inset)));
    painter.restore();
}

// The line's clue cells and answer cells, each inside its outline.
void tintLine(QPainter& painter, const BoardModel& model, BoardLine line, const BoardLayout& layout,
              const QColor& colour)
{
    for (int along = 0; along < model.clueSize + answerLength(model, line); ++along) {
        const BoardPoint p = linePoint(line, along);
        painter.fillRect(cellInterior(p.x, p.y, layout), colour);
    }
}

QRect answerPartOf(const BoardModel& model, BoardLine line, const BoardLayout& layout)
{
    const int last = model.clueSize + answerLength(model, line) - 1;
    return cellBlock(linePoint(line, model.clueSize), linePoint(line, last), layout);
}

void paintHint(QPainter& painter, const Hint& hint, const BoardModel& model, const BoardLayout& layout)
{
    const bool wrong = hint.kind == Hint::Kind::MarksContradict;
    tintLine(painter, model, *hint.line, layout, wrong ? kWrongLine : kHintLine);
    frame(painter, answerPartOf(model, *hint.line, layout), wrong ? kWrongFrame : kHintFrame, 2);
    const int pen = std::max(2, twipsToPixels(layout.cellSize) / 8);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const BoardPoint& p : hint.toFill) {
        const QRect inner = cellInterior(p.x, p.y, layout);
        const int margin = inner.width() / 4;
        painter.setPen(Qt::NoPen);
        painter.setBrush(kHintMark);
        painter.drawEllipse(inner.adjusted(margin, margin, -margin, -margin));
    }
    painter.setPen(QPen(kHintMark, pen, Qt::SolidLine, Qt::RoundCap));
    for (const BoardPoint& p : hint.toCross) {
        const QRectF inner = QRectF(cellInterior(p.x, p.y, layout)).adjusted(0.5, 0.5, 0.5, 0.5);
        const qreal margin = inner.width() / 4;
        const QRectF mark = inner.adjusted(margin, margin, -margin, -margin);
        painter.drawLine(mark.topLeft(), mark.bottomRight());
        painter.drawLine(mark.topRight(), mark.bottomLeft());
    }
    painter.restore();
}

// A line as thick as the clue band's border along the grid line after every fifth answer
// column and row, counted from the answer area's top-left corner, across the whole board.
void paintEveryFiveLines(QPainter& painter, const BoardModel& model, const BoardLayout& layout)
{
    painter.save();
    painter.setPen(QPen(Qt::black, kBorderPenPixels, Qt::SolidLine, Qt::FlatCap));
    const int width = twipsToPixels(layout.boardWidthTw);
    const int height = twipsToPixels(layout.boardHeightTw);
    for (int k = 5; k < model.answerWidth(); k += 5) {
        const int x = twipsToPixels(cellToTwips(model.clueSize + k, layout.cellSize));
        painter.drawLine(x, 0, x, height);
    }
    for (int k = 5; k < model.answerHeight(); k += 5) {
        const int y = twipsToPixels(cellToTwips(model.clueSize + k, layout.cellSize));
        painter.drawLine(0, y, width, y);
    }
    painter.restore();
}

} // namespace

BoardPoint PlayOverlay::cursorCell(const BoardModel& model) const
{
    const int column = std::clamp(cursorColumn, 0, std::max(0, model.answerWidth() - 1));
    const int row = std::clamp(cursorRow, 0, std::max(0, model.answerHeight() - 1));
    return {toInt16(model.clueSize + column), toInt16(model.clueSize + row)};
}

void PlayOverlay::boardChanged(const BoardModel& model)
{
    mistakes.clear();
    if (!hint)
        return;
    const bool sameLine = hint->kind == Hint::Kind::Cells && model.clueSize == hintBoard.clueSize
                          && model.gridWidth == hintBoard.gridWidth
                          && model.gridHeight == hintBoard.gridHeight
                          && clueCells(model, *hint->line) == clueCells(hintBoard, *hint->line);
    if (!sameLine) {
        hint.reset();
        return;
    }
    auto marked = [&](const BoardPoint& p) {
        const int16 value = model.board(p.x, p.y);
        return value == kFilled || value == kCross;
    };
    std::erase_if(hint->toFill, marked);
    std::erase_if(hint->toCross, marked);
    if (hint->toFill.empty() && hint->toCross.empty())
        hint.reset();
}

std::vector<BoardLine> PlayOverlay::refreshFinished(const BoardModel& model)
{
    const std::vector<BoardLine> lines = answerLines(model);
    const bool resized = finishedLines.size() != lines.size();
    finishedLines.resize(lines.size());
    std::vector<BoardLine> changed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool finished = lineFinished(model, lines[i]);
        if (resized || finished != finishedLines[i])
            changed.push_back(lines[i]);
        finishedLines[i] = finished;
    }
    return changed;
}

QRect clueStrip(const BoardModel& model, BoardLine line, const BoardLayout& layout)
{
    if (model.clueSize < 1)
        return {};
    return cellBlock(linePoint(line, 0), linePoint(line, model.clueSize - 1), layout);
}

namespace {

// The completion notice: a box in the middle of the answer area, its text as large as two
// cells but never wider than the picture, so a small board shows all of it.
void paintCompletionNotice(QPainter& painter, const QString& text, const BoardModel& model,
                           const BoardLayout& layout)
{
    painter.save();
    const int pictureWidth = twipsToPixels(layout.boardWidthTw);
    QFont font = painter.font();
    font.setBold(true);
    QRect box;
    for (int size = std::min(40, std::max(12, twipsToPixels(layout.cellSize) * 2)); size >= 8; --size) {
        font.setPixelSize(size);
        box = QFontMetrics(font).boundingRect(text).adjusted(-size / 2, -size / 4, size / 2, size / 4);
        if (box.width() <= pictureWidth - 4)
            break;
    }
    painter.setFont(font);
    const QRect answer = cellBlock({model.clueSize, model.clueSize},
                                   {model.gridWidth - 1, model.gridHeight - 1}, layout);
    box.moveCenter(answer.center());
    box.moveLeft(std::clamp(box.left(), 2, std::max(2, pictureWidth - 2 - box.width())));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kCompletionFrame, 2));
    painter.setBrush(kCompletionFill);
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(kCompletionText);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

// The drag's run length on a small light label below and right of the pointer, or on the
// other side of it where the picture ends (the picture clips everything painted over it).
void paintDragRun(QPainter& painter, const PlayOverlay::DragRun& run, const BoardLayout& layout)
{
    painter.save();
    const QString text = QString::number(run.length);
    QRect box = painter.fontMetrics().boundingRect(text).adjusted(-4, -2, 4, 2);
    constexpr int kGap = 14;  // clear of the pencil cursor
    box.moveTopLeft(run.pointer + QPoint(kGap, kGap));
    if (box.right() >= twipsToPixels(layout.boardWidthTw))
        box.moveRight(run.pointer.x() - kGap / 2);
    if (box.bottom() >= twipsToPixels(layout.boardHeightTw))
        box.moveBottom(run.pointer.y() - kGap / 2);
    painter.fillRect(box, kDragRunFill);
    painter.setPen(kDragRunText);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

} // namespace

void paintPlayOverlay(QPainter& painter, const PlayOverlay& overlay, const BoardModel& model,
                      const BoardLayout& layout, BoardPoint rectangleStart)
{
    if (overlay.greyFinished) {
        for (const BoardLine line : answerLines(model)) {
            if (!lineFinished(model, line))
                continue;
            for (int i = 0; i < model.clueSize; ++i) {
                const BoardPoint p = linePoint(line, i);
                painter.fillRect(cellInterior(p.x, p.y, layout), kGreying);
            }
        }
    }
    if (overlay.everyFiveLines)
        paintEveryFiveLines(painter, model, layout);
    if (overlay.hint)
        paintHint(painter, *overlay.hint, model, layout);
    for (const BoardPoint& p : overlay.mistakes) {
        if (!model.isAnswerCell(p.x, p.y))
            continue;
        painter.fillRect(cellInterior(p.x, p.y, layout), kMistakeFill);
        frame(painter, cellInterior(p.x, p.y, layout), kWrongFrame, kMistakeFrameWidth);
    }
    if (overlay.cursorShown && model.answerWidth() > 0 && model.answerHeight() > 0) {
        const BoardPoint cursor = overlay.cursorCell(model);
        if (rectangleStart.x != -1 && model.isAnswerCell(rectangleStart.x, rectangleStart.y)) {
            painter.save();
            painter.setPen(QPen(kCursor, 1, Qt::DashLine));
            const QRect block = cellBlock(rectangleStart, cursor, layout);
            painter.drawRect(block.adjusted(1, 1, -2, -2));
            painter.restore();
        }
        frame(painter, cellBlock(cursor, cursor, layout), kCursor, kCursorWidth);
        // A mistake under the cursor keeps its frame, drawn just inside the cursor's.
        if (std::find(overlay.mistakes.begin(), overlay.mistakes.end(), cursor) != overlay.mistakes.end()) {
            const int inset = kCursorWidth - 1;  // the cursor's pixels inside the outline
            frame(painter, cellInterior(cursor.x, cursor.y, layout).adjusted(inset, inset, -inset, -inset),
                  kWrongFrame, kMistakeFrameWidth);
        }
    }
    if (overlay.completionNotice)
        paintCompletionNotice(painter, *overlay.completionNotice, model, layout);
    if (overlay.dragRun)
        paintDragRun(painter, *overlay.dragRun, layout);
}

} // namespace zumeli
