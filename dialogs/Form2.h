// The "新規作成" dialog: clue-band size, answer-area width and height of a new puzzle.
#pragma once

#include "author/new_puzzle.h"
#include "desktop/desktop.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zumeli {

class SpinButtons;

class Form2 : public QDialog {
    Q_OBJECT

public:
    // Refused entries are reported through `desktop`. Every dialog starts from "5", "10", "10".
    explicit Form2(Desktop& desktop, QWidget* parent = nullptr);

    // "新規作成": checks the boxes; on success keeps the size and closes, otherwise shows the
    // first refused box's message and stays open with the texts as typed.
    void Command1_Click();
    // "キャンセル": closes; no size is kept.
    void Command2_Click();

    // The size confirmed by Command1_Click; nothing after a cancel or a close.
    const std::optional<NewPuzzleSize>& chosenSize() const { return chosenSize_; }

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    SpinButtons* UpDown1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;
    SpinButtons* UpDown2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text3 = nullptr;
    SpinButtons* UpDown3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

private:
    Desktop& desktop_;
    std::optional<NewPuzzleSize> chosenSize_;
};

} // namespace zumeli
