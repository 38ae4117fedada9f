// Up and down arrow buttons bound to a text box, stepping its number within a range.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace zumeli {

class SpinButtons : public QWidget {
    Q_OBJECT

public:
    SpinButtons(QLineEdit* buddy, int minimum, int maximum, int step, int value,
                QWidget* parent = nullptr);

    int value() const { return value_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int step() const { return step_; }

    // One click on the up or the down arrow: the value moves by one step, stays within the
    // range and is written into the text box.
    void stepUp();
    void stepDown();

    QToolButton* upButton() const { return up_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setValueAndText(int value);
    void syncFromBuddy();

    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_;
    int maximum_;
    int step_;
    int value_;
};

} // namespace zumeli
