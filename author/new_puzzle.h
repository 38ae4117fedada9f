// The new-puzzle dialog's rules: reading its three number boxes, the range checks and the
// empty board they lead to.
#pragma once

#include "files/translated_text.h"
#include "board/board_model.h"

#include <QString>

#include <optional>

namespace zumeli {

// Range messages of the authoring dialogs, exactly as the program shows them. The width and
// height boxes share the second text.
inline const QString kClueSizeRangeMessage = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "問題欄のサイズは1から20までの整数です"));
inline const QString kAnswerSideRangeMessage = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "問題欄のサイズは1から80までの整数です"));

// The size a user asked for: clue-band thickness, answer-area width and height.
struct NewPuzzleSize {
    int16 clueSize = 5;
    int16 width = 10;
    int16 height = 10;
    bool operator==(const NewPuzzleSize&) const = default;
};

// Either the size to use, or the message of the first box that was refused.
struct NewPuzzleEntry {
    std::optional<NewPuzzleSize> size;
    QString message;
};

// The whole number a box holds: its text read as a decimal and rounded down (20.9 -> 20,
// 0.5 -> 0); nothing when the text is not a number at all.
std::optional<long long> readNumberBox(const QString& text);

// The box's whole number (as readNumberBox reads it) when it lies within minimum..maximum
// (both within 16 bits); nothing otherwise.
std::optional<int16> boxInRange(const QString& text, int minimum, int maximum);

// The clue-size box read as the new-puzzle dialog reads it: its whole number when it lies in
// 1..20, nothing otherwise (the box is then refused with kClueSizeRangeMessage).
std::optional<int16> clueSizeFromBox(const QString& text);

// Reads the clue-size, width and height boxes and checks them in that order, stopping at the
// first failure: clue size 1..20, width 1..80, height 1..80. Text that is not a number is
// refused with its box's range message, like a value out of range.
NewPuzzleEntry checkNewPuzzleEntries(const QString& clueSizeText, const QString& widthText,
                                     const QString& heightText);

// The board of a new puzzle: every cell 0..100 empty, the dimensions of `size`.
BoardModel newPuzzleBoard(const NewPuzzleSize& size);

} // namespace zumeli
