// What the main window and the dialogs share: the window-title and refusal captions, and
// controls placed in twips on fixed-size dialogs.
#pragma once

#include "files/translated_text.h"
#include "board/layout.h"

#include <QRect>
#include <QString>
#include <Qt>

class QDialog;
class QLabel;
class QLineEdit;
class QWidget;

namespace zumeli {

// The window title: the prefix followed by the puzzle file's name, or by kUntitled for a
// board without a file.
inline const QString kTitlePrefix = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "ズメリロジック！ - "));
inline const QString kUntitled = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "名称未指定"));
// Title of the error box that refuses a number typed into a box.
inline const QString kBadValueTitle = QStringLiteral(QT_TRANSLATE_NOOP("zumeli", "正しい値を入力してください"));

// Placing controls designed in twips: one rectangle conversion shared by every window.
inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// A dialog with a fixed single border: a title and a close box, nothing to resize it by.
constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint
    | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// Gives a dialog its title, the 9-point dialog font and its client area in twips.
void setUpFixedDialog(QDialog& dialog, const QString& title, int clientWidthTw, int clientHeightTw);

// A caption of a dialog: plain text from the top-left corner of its box.
QLabel* addCaption(QWidget* parent, const QString& text, const QRect& geometry);
// A text box of a dialog holding `text`.
QLineEdit* addTextBox(QWidget* parent, const QString& text, const QRect& geometry);

} // namespace zumeli
