// The random-puzzle dialog's controls and buttons, and the progress box of the generation.
#include "dialogs/random_puzzle_dialog.h"

#include "author/new_puzzle.h"
#include "tasks/background_task.h"
#include "tasks/random_puzzle_task.h"
#include "widgets/dialog_shared.h"
#include "widgets/spin_buttons.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>

namespace zumeli {

namespace {

// Client area of the dialog, in twips.
constexpr int kClientWidthTw = 6240;
constexpr int kClientHeightTw = 3415;

// The grades the dialog offers, easiest first, as the puzzle check names them.
const char* const kGradeItems[] = {
    QT_TRANSLATE_NOOP("zumeli::RandomPuzzleDialog", "1（線の単純な重なりだけで解ける）"),
    QT_TRANSLATE_NOOP("zumeli::RandomPuzzleDialog", "2（線の論理だけで解ける）"),
    QT_TRANSLATE_NOOP("zumeli::RandomPuzzleDialog", "3（仮定して矛盾を調べると解ける）"),
    QT_TRANSLATE_NOOP("zumeli::RandomPuzzleDialog", "4（探索が必要）"),
};

} // namespace

RandomPuzzleDialog::RandomPuzzleDialog(Desktop& desktop, QWidget* parent)
    : QDialog(parent, kFixedDialogFlags), desktop_(desktop)
{
    setUpFixedDialog(*this, translated(kRandomPuzzleTitle), kClientWidthTw, kClientHeightTw);

    addCaption(this, tr("問題欄のサイズ"), twipsRect(120, 280, 1695, 375));
    clueSizeBox = addTextBox(this, QStringLiteral("5"), twipsRect(1560, 240, 480, 270));
    clueSizeSpin = new SpinButtons(clueSizeBox, 1, kMaxClueSize, 1, 5, this);
    clueSizeSpin->setGeometry(twipsRect(2040, 240, 255, 270));
    addCaption(this, tr("←足りなければ広げます"), twipsRect(2400, 240, 2175, 255));

    addCaption(this, tr("解答エリアの幅"), twipsRect(120, 640, 1695, 375));
    widthBox = addTextBox(this, QString::number(kRandomSideDefault), twipsRect(1560, 600, 480, 270));
    widthSpin = new SpinButtons(widthBox, kMinRandomSide, kMaxAnswerSide, 1, kRandomSideDefault, this);
    widthSpin->setGeometry(twipsRect(2041, 600, 255, 270));

    addCaption(this, tr("解答エリアの高さ"), twipsRect(120, 1000, 1695, 375));
    heightBox = addTextBox(this, QString::number(kRandomSideDefault), twipsRect(1560, 960, 480, 270));
    heightSpin = new SpinButtons(heightBox, kMinRandomSide, kMaxAnswerSide, 1, kRandomSideDefault, this);
    heightSpin->setGeometry(twipsRect(2041, 960, 255, 270));

    auto* difficulty = new QGroupBox(tr("難易度"), this);
    difficulty->setGeometry(twipsRect(120, 1400, 4400, 1880));
    lineLogicOnly = new QRadioButton(tr("線の論理だけで解ける"), difficulty);
    lineLogicOnly->setGeometry(twipsRect(120, 300, 4100, 330));
    searchAllowed = new QRadioButton(tr("探索あり"), difficulty);
    searchAllowed->setGeometry(twipsRect(120, 680, 4100, 330));
    gradeChosen = new QRadioButton(tr("難易度を指定"), difficulty);
    gradeChosen->setGeometry(twipsRect(120, 1060, 4100, 330));
    gradeBox = new QComboBox(difficulty);
    gradeBox->setGeometry(twipsRect(400, 1420, 3880, 330));
    for (const char* item : kGradeItems)
        gradeBox->addItem(tr(item));
    lineLogicOnly->setChecked(true);

    okButton = new QPushButton(tr("OK"), this);
    okButton->setGeometry(twipsRect(4680, 120, 1455, 375));
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("キャンセル"), this);
    cancelButton->setGeometry(twipsRect(4680, 600, 1455, 375));

    setTabOrder(clueSizeBox, widthBox);
    setTabOrder(widthBox, heightBox);
    setTabOrder(heightBox, lineLogicOnly);
    setTabOrder(lineLogicOnly, gradeBox);
    setTabOrder(gradeBox, okButton);
    setTabOrder(okButton, cancelButton);
    clueSizeBox->setFocus();

    connect(gradeBox, &QComboBox::activated, gradeChosen, [this] { gradeChosen->setChecked(true); });
    connect(okButton, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
}

void RandomPuzzleDialog::okClicked()
{
    const RandomPuzzleEntry entry = checkRandomPuzzleEntries(
        clueSizeBox->text(), widthBox->text(), heightBox->text(), lineLogicOnly->isChecked(),
        gradeChosen->isChecked() ? gradeBox->currentIndex() + 1 : 0);
    if (!entry.settings) {
        desktop_.messageBox(entry.message, translated(kBadValueTitle), MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    chosen_ = entry.settings;
    accept();
}

void RandomPuzzleDialog::cancelClicked()
{
    chosen_.reset();
    reject();
}

std::optional<BoardModel> generateWithProgress(Desktop& desktop, QWidget* parent,
                                               const RandomPuzzleSettings& settings,
                                               std::uint64_t seed)
{
    QProgressDialog progress(RandomPuzzleDialog::tr("問題を作成しています..."), RandomPuzzleDialog::tr("キャンセル"),
                             0, 0, parent, kFixedDialogFlags);
    progress.setWindowTitle(translated(kRandomPuzzleTitle));
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    BackgroundTask task;
    RandomPuzzleOutcome outcome;
    QObject::connect(&task, &BackgroundTask::finished, &progress, [&] {
        if (!progress.wasCanceled())
            progress.accept();
    });
    runRandomPuzzle(task, settings, seed, [&outcome](const RandomPuzzleOutcome& ended) { outcome = ended; });
    const int result = desktop.execDialog(progress);
    // Closed by a cancel or its close box: the run stops at its next check and is dropped.
    task.discard();
    if (outcome.failed)
        desktop.messageBox(translated(kRandomPuzzleFailedMessage), translated(kRandomPuzzleTitle), MessageButtons::Ok,
                           MessageIcon::Critical);
    if (result != QDialog::Accepted || progress.wasCanceled())
        return std::nullopt;
    return outcome.board;
}

} // namespace zumeli
