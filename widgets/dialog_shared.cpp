// Building the fixed-size dialogs and their captions and text boxes.
#include "widgets/dialog_shared.h"

#include "board/drawing/board_picture.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>

namespace zumeli {

void setUpFixedDialog(QDialog& dialog, const QString& title, int clientWidthTw, int clientHeightTw)
{
    dialog.setWindowTitle(title);
    QFont dialogFont = BoardPicture::defaultFont();
    dialogFont.setPointSize(9);
    dialog.setFont(dialogFont);
    dialog.setFixedSize(twipsToPixels(clientWidthTw), twipsToPixels(clientHeightTw));
}

QLabel* addCaption(QWidget* parent, const QString& text, const QRect& geometry)
{
    auto* caption = new QLabel(text, parent);
    caption->setTextFormat(Qt::PlainText);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    caption->setGeometry(geometry);
    return caption;
}

QLineEdit* addTextBox(QWidget* parent, const QString& text, const QRect& geometry)
{
    auto* box = new QLineEdit(text, parent);
    box->setGeometry(geometry);
    return box;
}

} // namespace zumeli
