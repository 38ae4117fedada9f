// The "画像ファイルから問題作成" dialog's controls, start-up and buttons.
#include "dialogs/Form3.h"

#include "widgets/dialog_shared.h"
#include "widgets/spin_buttons.h"

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace zumeli {

namespace {

// Client area of the dialog, in twips.
constexpr int kClientWidthTw = 6255;
constexpr int kClientHeightTw = 2505;

} // namespace

Form3::Form3(Desktop& desktop, BoardModel& model, const QString& imagePath, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags), desktop_(desktop), model_(model), imagePath_(imagePath)
{
    setUpFixedDialog(*this, tr("画像ファイルから問題作成"), kClientWidthTw,
                     kClientHeightTw);

    Image1 = new QLabel(this);
    Image1->setGeometry(twipsRect(120, 120, 1935, 1575));
    Image1->setScaledContents(true);
    Label1 = addCaption(this, QStringLiteral("Label1"), twipsRect(2160, 120, 2670, 1575));

    // The picture at its own size; its box follows the image once it is loaded.
    Picture1 = new QLabel(this);
    Picture1->move(twipsToPixels(4320), twipsToPixels(1320));

    Command1 = new QPushButton(tr("読み込む"), this);
    Command1->setGeometry(twipsRect(4920, 120, 1215, 375));
    Command1->setDefault(true);
    Command2 = new QPushButton(tr("キャンセル"), this);
    Command2->setGeometry(twipsRect(4920, 600, 1215, 375));

    Label2 = addCaption(this, tr("問題欄のサイズ"), twipsRect(120, 1840, 1695, 375));
    Text1 = addTextBox(this, QStringLiteral("10"), twipsRect(1560, 1800, 480, 270));
    UpDown1 = new SpinButtons(Text1, 1, kMaxClueSize, 1, 10, this);
    UpDown1->setGeometry(twipsRect(2040, 1800, 255, 270));
    Label3 = addCaption(this, tr("白と黒のしきい値"), twipsRect(120, 2200, 1695, 375));
    Text2 = addTextBox(this, QStringLiteral("128"), twipsRect(1560, 2160, 450, 270));
    UpDown2 = new SpinButtons(Text2, 0, 255, 1, 128, this);
    UpDown2->setGeometry(twipsRect(2040, 2160, 255, 270));

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command1);
    setTabOrder(Command1, Command2);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });

    Form_Load();
}

void Form3::Form_Load()
{
    // Transparent parts of GIF and icon pictures show the dialog's own background, and the
    // conversion reads the picture as it shows.
    const QImage decoded = decodeImageFile(imagePath_);
    surface_ = imageOnBackground(decoded, palette().color(QPalette::Window));
    const QPixmap pixmap = QPixmap::fromImage(surface_);
    Picture1->setPixmap(pixmap);
    Picture1->resize(surface_.size());
    Image1->setPixmap(pixmap);
    Label1->setText(imageInfoText(surface_.size()));

    if (imageTooLarge(surface_.size())) {
        desktop_.messageBox(translated(kImageTooLargeMessage), translated(kImageTooLargeTitle), MessageButtons::Ok,
                            MessageIcon::Critical);
        closedAtStartup_ = true;
        reject();
    }
}

void Form3::Command1_Click()
{
    const ImportEntry entry = checkImportEntries(Text1->text(), Text2->text());
    if (!entry.settings) {
        desktop_.messageBox(entry.message, translated(kBadValueTitle), MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    model_ = boardFromPicture(surface_, *entry.settings);
    converted_ = true;
    accept();
}

void Form3::Command2_Click() { reject(); }

} // namespace zumeli
