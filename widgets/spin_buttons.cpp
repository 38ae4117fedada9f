// Spin buttons for the number boxes of the main window and the dialogs.
#include "widgets/spin_buttons.h"

#include "board/number_text.h"

#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace zumeli {

SpinButtons::SpinButtons(QLineEdit* buddy, int minimum, int maximum, int step, int value,
                         QWidget* parent)
    : QWidget(parent), buddy_(buddy), up_(new QToolButton(this)), down_(new QToolButton(this)),
      minimum_(minimum), maximum_(maximum), step_(step), value_(value)
{
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    connect(up_, &QToolButton::clicked, this, &SpinButtons::stepUp);
    connect(down_, &QToolButton::clicked, this, &SpinButtons::stepDown);
    // A number typed into the box within the range becomes the buttons' value, so the next
    // click steps from what the user sees.
    connect(buddy_, &QLineEdit::textChanged, this, &SpinButtons::syncFromBuddy);
    setFocusPolicy(Qt::NoFocus);
}

void SpinButtons::stepUp() { setValueAndText(std::min(value_ + step_, maximum_)); }

void SpinButtons::stepDown() { setValueAndText(std::max(value_ - step_, minimum_)); }

void SpinButtons::setValueAndText(int value)
{
    value_ = value;
    buddy_->setText(QString::number(value));
}

void SpinButtons::syncFromBuddy()
{
    const auto typed = parseFloor(buddy_->text().toStdString());
    if (typed && *typed >= minimum_ && *typed <= maximum_)
        value_ = static_cast<int>(*typed);
}

void SpinButtons::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

} // namespace zumeli
