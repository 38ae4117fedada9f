// The 「ランダム問題」 dialog (clue-band size, answer-area width and height, difficulty) and the
// generation it starts, which runs off the event thread behind a progress box with a cancel.
#pragma once

#include "files/translated_text.h"
#include "author/random_puzzle.h"
#include "desktop/desktop.h"

#include <QDialog>

#include <cstdint>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace zumeli {

class SpinButtons;

inline const QString kRandomPuzzleTitle = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "ランダム問題"));
inline const QString kRandomPuzzleFailedMessage = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "問題を作成できませんでした"));

class RandomPuzzleDialog : public QDialog {
    Q_OBJECT

public:
    // Refused entries are reported through `desktop`. Every dialog starts from "5", "15",
    // "15" and 「線の論理だけで解ける」 (the grade list at its first grade).
    explicit RandomPuzzleDialog(Desktop& desktop, QWidget* parent = nullptr);

    // OK: checks the boxes; on success keeps the settings and closes, otherwise shows the first
    // refused box's message and stays open with the texts as typed.
    void okClicked();
    // キャンセル: closes; no settings are kept.
    void cancelClicked();

    // The settings confirmed by okClicked; nothing after a cancel or a close.
    const std::optional<RandomPuzzleSettings>& chosenSettings() const { return chosen_; }

    QLineEdit* clueSizeBox = nullptr;
    QLineEdit* widthBox = nullptr;
    QLineEdit* heightBox = nullptr;
    SpinButtons* clueSizeSpin = nullptr;
    SpinButtons* widthSpin = nullptr;
    SpinButtons* heightSpin = nullptr;
    QRadioButton* lineLogicOnly = nullptr;
    QRadioButton* searchAllowed = nullptr;
    QRadioButton* gradeChosen = nullptr; // 難易度を指定: the grade in gradeBox
    QComboBox* gradeBox = nullptr;       // grades 1..4 in order; choosing one checks gradeChosen
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    Desktop& desktop_;
    std::optional<RandomPuzzleSettings> chosen_;
};

// Generates the board of a random puzzle from `seed` in the background while a progress box
// (shown through `desktop`) offers a cancel. Nothing when the user cancelled, or when the
// generation failed (no puzzle of the grade asked for, or out of memory), which is reported.
std::optional<BoardModel> generateWithProgress(Desktop& desktop, QWidget* parent,
                                               const RandomPuzzleSettings& settings,
                                               std::uint64_t seed);

} // namespace zumeli
