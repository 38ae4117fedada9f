// The "新規作成" dialog's controls and its two buttons.
#include "dialogs/Form2.h"

#include "widgets/dialog_shared.h"
#include "widgets/spin_buttons.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zumeli {

namespace {

// Client area of the dialog, in twips.
constexpr int kClientWidthTw = 6240;
constexpr int kClientHeightTw = 1455;

} // namespace

Form2::Form2(Desktop& desktop, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags), desktop_(desktop)
{
    setUpFixedDialog(*this, tr("新規作成"), kClientWidthTw, kClientHeightTw);

    Label1 = addCaption(this, tr("問題欄のサイズ"), twipsRect(120, 280, 1695, 375));
    Text1 = addTextBox(this, QStringLiteral("5"), twipsRect(1560, 240, 480, 270));
    UpDown1 = new SpinButtons(Text1, 1, kMaxClueSize, 1, 5, this);
    UpDown1->setGeometry(twipsRect(2040, 240, 255, 270));
    Label4 = addCaption(this, tr("←多めに取ることを推奨"), twipsRect(2400, 240, 2175, 255));

    Label2 = addCaption(this, tr("解答エリアの幅"), twipsRect(120, 640, 1695, 375));
    Text2 = addTextBox(this, QStringLiteral("10"), twipsRect(1560, 600, 480, 270));
    UpDown2 = new SpinButtons(Text2, 1, kMaxAnswerSide, 1, 10, this);
    UpDown2->setGeometry(twipsRect(2041, 600, 255, 270));

    Label3 = addCaption(this, tr("解答エリアの高さ"), twipsRect(120, 1000, 1695, 375));
    Text3 = addTextBox(this, QStringLiteral("10"), twipsRect(1560, 960, 480, 270));
    UpDown3 = new SpinButtons(Text3, 1, kMaxAnswerSide, 1, 10, this);
    UpDown3->setGeometry(twipsRect(2041, 960, 255, 270));

    Command1 = new QPushButton(tr("新規作成"), this);
    Command1->setGeometry(twipsRect(4680, 120, 1455, 375));
    Command1->setDefault(true);
    Command2 = new QPushButton(tr("キャンセル"), this);
    Command2->setGeometry(twipsRect(4680, 600, 1455, 375));

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Command1);
    setTabOrder(Command1, Command2);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void Form2::Command1_Click()
{
    const NewPuzzleEntry entry = checkNewPuzzleEntries(Text1->text(), Text2->text(), Text3->text());
    if (!entry.size) {
        desktop_.messageBox(entry.message, translated(kBadValueTitle), MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    chosenSize_ = entry.size;
    accept();
}

void Form2::Command2_Click()
{
    chosenSize_.reset();
    reject();
}

} // namespace zumeli
