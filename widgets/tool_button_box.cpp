#include "widgets/tool_button_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace zumeli {


ToolButtonBox::ToolButtonBox(QWidget* parent) : QFrame(parent)
{
    setBorderStyle(0);
}

void ToolButtonBox::setPicture(const QPixmap& pixmap)
{
    picture_ = pixmap;
    update();
}

void ToolButtonBox::setBorderStyle(int style)
{
    setFrameShape(style == 1 ? QFrame::Box : QFrame::NoFrame);
    setLineWidth(1);
}

void ToolButtonBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(contentsRect().topLeft(), picture_);
}

void ToolButtonBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace zumeli
