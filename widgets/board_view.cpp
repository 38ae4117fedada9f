#include "widgets/board_view.h"

#include "board/layout.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zumeli {

namespace {

// The Shift, Ctrl and Alt keys as the board reports them with a press: 1, 2 and 4.
int shiftState(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= 1;
    if (modifiers & Qt::ControlModifier)
        shift |= 2;
    if (modifiers & Qt::AltModifier)
        shift |= 4;
    return shift;
}

} // namespace


BoardView::BoardView(BoardPicture& picture, QWidget* parent)
    : QFrame(parent), picture_(picture)
{
    picture_.setScreenPixelRatio(devicePixelRatioF());
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorderPixels);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A press on the board ends typing in the zoom box; Tab reaches the board too, for play
    // from the keyboard (right after the last button; the window still starts with the focus
    // on the first, see Form1::setupPlayOverlay).
    setFocusPolicy(Qt::StrongFocus);
}

void BoardView::setBorderLines(const BorderLines& lines)
{
    lines_ = lines;
    update();
}

void BoardView::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    // A window moved to a screen with another device pixel ratio: the picture follows it.
    picture_.setScreenPixelRatio(devicePixelRatioF());
    QPainter painter(this);
    const QRect inner = contentsRect();
    const QImage& image = picture_.screenImage();
    // The opaque picture covers the inner area; white shows only where it does not reach.
    if (!QRectF(inner.topLeft(), image.deviceIndependentSize()).contains(inner))
        painter.fillRect(inner, Qt::white);
    painter.drawImage(inner.topLeft(), image);
    // The two border line objects lie on top of the picture and are not part of its image.
    painter.setClipRect(inner);
    painter.translate(inner.topLeft());
    painter.setPen(QPen(Qt::black, kBorderPenPixels, Qt::SolidLine, Qt::FlatCap));
    for (const QLine& line : {lines_.vertical, lines_.horizontal})
        painter.drawLine(twipsToPixels(line.x1()), twipsToPixels(line.y1()), twipsToPixels(line.x2()), twipsToPixels(line.y2()));
    if (overlay_)
        overlay_(painter);
}

void BoardView::mousePressEvent(QMouseEvent* event)
{
    int button = 0;
    switch (event->button()) {
    case Qt::LeftButton: button = 1; break;
    case Qt::RightButton: button = 2; break;
    case Qt::MiddleButton: button = 4; break;
    default: return;
    }
    const QPointF inner = event->position() - QPointF(contentsRect().topLeft());
    emit mouseDown(button, shiftState(event->modifiers()), pixelsToTwips(1) * inner.x(),
                   pixelsToTwips(1) * inner.y());
}

void BoardView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF inner = event->position() - QPointF(contentsRect().topLeft());
    emit mouseMove(pixelsToTwips(1) * inner.x(), pixelsToTwips(1) * inner.y());
}

void BoardView::mouseReleaseEvent(QMouseEvent* event)
{
    const int button = event->button() == Qt::LeftButton    ? 1
                       : event->button() == Qt::RightButton  ? 2
                       : event->button() == Qt::MiddleButton ? 4
                                                             : 0;
    const QPointF inner = event->position() - QPointF(contentsRect().topLeft());
    emit mouseUp(button, pixelsToTwips(1) * inner.x(), pixelsToTwips(1) * inner.y());
}

void BoardView::keyPressEvent(QKeyEvent* event)
{
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (plain) {
            emit keyDown(event->key(), shiftState(event->modifiers()));
            return;
        }
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_X:
        // A key held down presses once, as a mouse button held down does.
        if (plain) {
            if (!event->isAutoRepeat())
                emit keyDown(event->key(), shiftState(event->modifiers()));
            return;
        }
        break;
    default:
        break;
    }
    QFrame::keyPressEvent(event);
}

void BoardView::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        emit focusFromKeyboard();
}

void BoardView::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    // A menu or another window takes the focus only for a while; the board gets it back.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        emit focusLost();
}

} // namespace zumeli
