// The "画像ファイルから問題作成" dialog: preview and size of the chosen image, clue-band size
// and black/white threshold, and the conversion into a new board.
#pragma once

#include "author/image_threshold.h"
#include "board/board_model.h"
#include "desktop/desktop.h"

#include <QDialog>
#include <QImage>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zumeli {

class SpinButtons;

class Form3 : public QDialog {
    Q_OBJECT

public:
    // Builds the dialog and runs its start-up on the image at `imagePath`: throws
    // ImageReadError when the file is not a readable image; a picture larger than 80 x 80 is
    // refused with the size message and the dialog closes at once (closedAtStartup()).
    Form3(Desktop& desktop, BoardModel& model, const QString& imagePath, QWidget* parent = nullptr);

    void Form_Load();
    // "読み込む": checks the clue size, then the threshold; on success replaces the board by
    // the converted picture and closes. A refused entry leaves everything as it was.
    void Command1_Click();
    // "キャンセル": closes and changes nothing.
    void Command2_Click();

    bool closedAtStartup() const { return closedAtStartup_; }
    bool converted() const { return converted_; }
    // The picture as it shows on the dialog: what the conversion reads.
    const QImage& surface() const { return surface_; }

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    SpinButtons* UpDown1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text2 = nullptr;
    SpinButtons* UpDown2 = nullptr;

private:
    Desktop& desktop_;
    BoardModel& model_;
    QString imagePath_;
    QImage surface_;
    bool closedAtStartup_ = false;
    bool converted_ = false;
};

} // namespace zumeli
