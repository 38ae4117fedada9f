// The "画像から問題作成（詳細）" dialog's controls, live preview, verdict and repair.
#include "dialogs/picture_import_dialog.h"

#include "author/new_puzzle.h"
#include "formats/board_clues.h"
#include "solve/check_report.h"
#include "solve/engine/solver.h"
#include "tasks/background_task.h"
#include "widgets/cell_grid_view.h"
#include "widgets/dialog_shared.h"
#include "widgets/spin_buttons.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace zumeli {

namespace {

// The preview's longer side in pixels: an 80-cell side gets 5 pixels a cell.
constexpr int kPreviewPixels = 400;
// A verdict that takes longer than this is given up; the author can still press OK.
constexpr double kVerdictSeconds = 30;

} // namespace

PictureImportDialog::PictureImportDialog(Desktop& desktop, const QImage& image, QWidget* parent)
    : QDialog(parent), desktop_(desktop), image_(image), content_(contentRect(image))
{
    setWindowTitle(tr("画像から問題作成（詳細）"));
    verdictTask_ = new BackgroundTask(this);
    repairTask_ = new BackgroundTask(this);
    buildControls();

    const QSize size = defaultAnswerSize(sourceRect().size());
    {
        const QScopedValueRollback<bool> adjusting(adjusting_, true);
        widthBox->setValue(size.width());
        heightBox->setValue(size.height());
    }
    rescale();
}

PictureImportDialog::~PictureImportDialog() = default;

void PictureImportDialog::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);
    columns->addLayout(buildPreviewColumn());
    columns->addLayout(buildSettingsColumn());

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    okButton = new QPushButton(tr("OK"), this);
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("キャンセル"), this);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);

    // The settings first, top to bottom, then the repair and the dialog's buttons.
    QWidget* order[] = {widthBox, heightBox, keepAspectBox, trimBox, clueBox, thresholdSlider, autoBox,
                        invertBox, makeUniqueButton, lineSolvableButton, stopButton,
                        applyButton, dropButton, okButton, cancelButton};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    widthBox->setFocus();
    connectControls();
}

// Left: the preview, its verdict and the repair.
QVBoxLayout* PictureImportDialog::buildPreviewColumn()
{
    auto* left = new QVBoxLayout;
    auto* previewBox = new QWidget(this);
    previewBox->setFixedSize(kPreviewPixels + 1, kPreviewPixels + 1);
    auto* previewLayout = new QVBoxLayout(previewBox);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    preview = new CellGridView(previewBox, kPreviewPixels);
    previewLayout->addWidget(preview, 0, Qt::AlignCenter);
    left->addWidget(previewBox);
    verdictLabel = new QLabel(this);
    verdictLabel->setWordWrap(true);
    // Room for the three lines of a proposal from the start, so the dialog need not grow.
    verdictLabel->setMinimumHeight(3 * verdictLabel->fontMetrics().lineSpacing());
    verdictLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    left->addWidget(verdictLabel);
    auto* repairRow = new QHBoxLayout;
    makeUniqueButton = new QPushButton(tr("一意にする"), this);
    lineSolvableButton = new QPushButton(tr("線だけで解けるようにする"), this);
    stopButton = new QPushButton(tr("中止"), this);
    applyButton = new QPushButton(tr("適用"), this);
    dropButton = new QPushButton(tr("取消"), this);
    for (QPushButton* button : {makeUniqueButton, lineSolvableButton, stopButton, applyButton, dropButton}) {
        button->setAutoDefault(false);
        repairRow->addWidget(button);
    }
    repairRow->addStretch();
    left->addLayout(repairRow);
    progress = new QProgressBar(this);
    progress->setRange(0, 1000);
    progress->setTextVisible(false);
    // Its room is kept while it is hidden: a dialog that grew for it would push OK and
    // キャンセル off where the window manager keeps the dialog's size.
    QSizePolicy keepRoom = progress->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    progress->setSizePolicy(keepRoom);
    left->addWidget(progress);
    left->addStretch();
    return left;
}

// Right: the original picture and the settings.
QVBoxLayout* PictureImportDialog::buildSettingsColumn()
{
    auto* right = new QVBoxLayout;
    original = new QLabel(this);
    original->setAlignment(Qt::AlignCenter);
    original->setFixedSize(160, 160);
    original->setPixmap(QPixmap::fromImage(
        image_.scaled(160, 160, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    right->addWidget(original, 0, Qt::AlignHCenter);
    right->addWidget(new QLabel(tr("%1 × %2 ピクセル").arg(image_.width()).arg(image_.height()), this),
                     0, Qt::AlignHCenter);

    auto* form = new QFormLayout;
    right->addLayout(form);
    widthBox = new QSpinBox(this);
    heightBox = new QSpinBox(this);
    for (QSpinBox* box : {widthBox, heightBox})
        box->setRange(1, kMaxAnswerSide);
    form->addRow(tr("解答エリアの幅"), widthBox);
    form->addRow(tr("解答エリアの高さ"), heightBox);
    keepAspectBox = new QCheckBox(tr("縦横比を保つ"), this);
    keepAspectBox->setChecked(true);
    form->addRow(QString(), keepAspectBox);
    trimBox = new QCheckBox(tr("余白を切り取る"), this);
    trimBox->setChecked(true);
    form->addRow(QString(), trimBox);

    auto* clueRow = new QHBoxLayout;
    clueBox = new QLineEdit(this);
    clueBox->setFixedWidth(twipsToPixels(480));
    clueButtons = new SpinButtons(clueBox, 1, kMaxClueSize, 1, 5, this);
    clueButtons->setFixedSize(twipsToPixels(255), clueBox->sizeHint().height());
    clueRow->addWidget(clueBox);
    clueRow->addWidget(clueButtons);
    clueRow->setSpacing(0);
    clueRow->addStretch();
    form->addRow(tr("問題欄のサイズ"), clueRow);
    clueNote = new QLabel(this);
    clueNote->setWordWrap(true);
    form->addRow(QString(), clueNote);

    auto* thresholdRow = new QHBoxLayout;
    thresholdSlider = new QSlider(Qt::Horizontal, this);
    thresholdSlider->setRange(0, 255);
    thresholdSlider->setMinimumWidth(160);
    thresholdValue = new QLabel(this);
    thresholdValue->setMinimumWidth(thresholdValue->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    thresholdRow->addWidget(thresholdSlider);
    thresholdRow->addWidget(thresholdValue);
    form->addRow(tr("白と黒のしきい値"), thresholdRow);
    autoBox = new QCheckBox(tr("自動"), this);
    autoBox->setChecked(true);
    invertBox = new QCheckBox(tr("反転"), this);
    auto* checks = new QHBoxLayout;
    checks->addWidget(autoBox);
    checks->addWidget(invertBox);
    checks->addStretch();
    form->addRow(QString(), checks);
    right->addStretch();
    return right;
}

void PictureImportDialog::connectControls()
{
    connect(widthBox, &QSpinBox::valueChanged, this, [this] { widthChanged(); });
    connect(heightBox, &QSpinBox::valueChanged, this, [this] { heightChanged(); });
    connect(keepAspectBox, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            widthChanged();
    });
    // The part scaled changes its aspect: the width stays, the height follows it if linked.
    connect(trimBox, &QCheckBox::toggled, this, [this] { widthChanged(); });
    connect(clueBox, &QLineEdit::textChanged, this, [this] {
        if (adjusting_)
            return;
        clueEdited_ = true;
        // The verdict is for the board OK would make, whose clue band may cut lines short.
        followClues();
    });
    connect(thresholdSlider, &QSlider::valueChanged, this, [this] {
        // Moving the slider by hand is a threshold of the author's own.
        if (!adjusting_ && autoBox->isChecked()) {
            const QScopedValueRollback<bool> adjusting(adjusting_, true);
            autoBox->setChecked(false);
        }
        rethreshold();
    });
    connect(autoBox, &QCheckBox::toggled, this, [this] {
        if (!adjusting_)
            rethreshold();
    });
    connect(invertBox, &QCheckBox::toggled, this, [this] { rethreshold(); });
    connect(makeUniqueButton, &QPushButton::clicked, this, [this] { startMakeUnique(false); });
    connect(lineSolvableButton, &QPushButton::clicked, this, [this] { startMakeUnique(true); });
    connect(stopButton, &QPushButton::clicked, repairTask_, &BackgroundTask::cancel);
    connect(applyButton, &QPushButton::clicked, this, [this] { applyProposal(); });
    connect(dropButton, &QPushButton::clicked, this, [this] { dropProposal(); });
    connect(okButton, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
    connect(repairTask_, &BackgroundTask::progressed, this,
            [this](double fraction) { progress->setValue(static_cast<int>(fraction * 1000)); });
}

const solver::CellGrid& PictureImportDialog::picture() const { return repaired_ ? *repaired_ : thresholded_; }

bool PictureImportDialog::verdictRunning() const { return verdictTask_->isRunning(); }
bool PictureImportDialog::repairRunning() const { return repairTask_->isRunning(); }

QRect PictureImportDialog::sourceRect() const { return trimBox->isChecked() ? content_ : image_.rect(); }

void PictureImportDialog::widthChanged()
{
    if (adjusting_)
        return;
    if (keepAspectBox->isChecked()) {
        const QScopedValueRollback<bool> adjusting(adjusting_, true);
        const QSize size = aspectKeptSize(sourceRect().size(), true, widthBox->value());
        widthBox->setValue(size.width());
        heightBox->setValue(size.height());
    }
    rescale();
}

void PictureImportDialog::heightChanged()
{
    if (adjusting_)
        return;
    if (keepAspectBox->isChecked()) {
        const QScopedValueRollback<bool> adjusting(adjusting_, true);
        const QSize size = aspectKeptSize(sourceRect().size(), false, heightBox->value());
        widthBox->setValue(size.width());
        heightBox->setValue(size.height());
    }
    rescale();
}

void PictureImportDialog::rescale()
{
    grey_ = areaAverage(image_, QSize(widthBox->value(), heightBox->value()), sourceRect());
    rethreshold();
}

void PictureImportDialog::rethreshold()
{
    if (autoBox->isChecked()) {
        const QScopedValueRollback<bool> adjusting(adjusting_, true);
        thresholdSlider->setValue(otsuThreshold(grey_));
    }
    thresholdValue->setText(QString::number(thresholdSlider->value()));
    thresholded_ = thresholdPicture(grey_, thresholdSlider->value(), invertBox->isChecked());
    repaired_.reset();
    showPicture();
}

void PictureImportDialog::showPicture()
{
    // A repair in progress or waiting is for a picture that is no longer shown.
    repairTask_->discard();
    proposal_.reset();
    preview->setGrid(picture(), {});
    if (!clueEdited_) {
        const QScopedValueRollback<bool> adjusting(adjusting_, true);
        clueBox->setText(QString::number(std::clamp(cluesNeeded(picture()), 1, kMaxClueSize)));
    }
    showRepairControls();
    followClues();
}

void PictureImportDialog::followClues()
{
    const int needed = cluesNeeded(picture());
    const auto chosen = clueSizeFromBox(clueBox->text());
    clueNote->setText(chosen && *chosen < needed
                          ? tr("この絵には問題欄が%1必要です。入らない数字は捨てられます。").arg(needed)
                          : QString());
    // While a repair runs or waits, the label tells about it; its end starts the verdict.
    if (!repairTask_->isRunning() && !proposal_)
        startVerdict();
}

int PictureImportDialog::clueSizeForVerdict() const
{
    if (const auto chosen = clueSizeFromBox(clueBox->text()))
        return *chosen;
    return std::clamp(cluesNeeded(picture()), 1, kMaxClueSize);
}

void PictureImportDialog::startVerdict()
{
    const solver::Puzzle puzzle =
        puzzleFromBoard(boardFromImportedPicture(picture(), clueSizeForVerdict()));
    verdictLabel->setText(tr("判定しています..."));
    offerUnique_ = offerLineSolvable_ = false;
    verdictTask_->start([this, puzzle, drawn = picture()](
                            const std::atomic<bool>& cancel,
                            const std::function<void(double)>&) -> std::function<void()> {
        solver::SolveOptions options;
        options.timeLimitSeconds = kVerdictSeconds;
        options.cancel = &cancel;
        // The picture is a solution of its own clues unless a narrow clue band cut some of
        // them; given as the first solution, only a second one is left to look for.
        options.knownSolution = &drawn;
        const solver::SolveResult result = solver::solve(puzzle, options);
        return [this, result] {
            verdictText_ = verdictSummary(result);
            verdictLabel->setText(verdictText_);
            // As in the check window: several solutions can be made unique (and line-solvable),
            // a unique puzzle that needs search can be made line-solvable. A verdict that ran
            // out of time is most often a picture with several solutions: the repair decides.
            offerUnique_ = result.verdict == solver::Verdict::Multiple
                || result.stopReason == solver::StopReason::TimeLimit;
            offerLineSolvable_ = offerUnique_
                || (result.verdict == solver::Verdict::Unique && !result.lineSolvable);
            showRepairControls();
        };
    });
}

void PictureImportDialog::startMakeUnique(bool lineSolvable)
{
    if (repairTask_->isRunning() || !(lineSolvable ? offerLineSolvable_ : offerUnique_))
        return;
    proposal_.reset();
    const solver::CellGrid start = picture();
    progress->setValue(0);
    verdictLabel->setText(lineSolvable ? tr("線だけで解けるように直しています...")
                                       : tr("解が一つになるように直しています..."));
    runMakeUnique(*repairTask_, start, lineSolvable, [this, start](const solver::MakeUniqueResult& result) {
        if (result.cancelled || !result.done) {
            verdictLabel->setText(result.cancelled
                                      ? tr("直すのを中止しました。")
                                      : tr("直す方法が見つかりませんでした。"));
            preview->setGrid(start, {});
            showRepairControls();
            return;
        }
        // OK writes every clue of the repaired picture: one whose runs do not fit even the
        // widest clue band is no repair.
        if (!clueBandHolding(result.picture, clueSizeForVerdict())) {
            verdictLabel->setText(tr("直した絵は数字が多すぎて問題欄に入りません（最大%1）。")
                                      .arg(kMaxClueSize));
            preview->setGrid(start, {});
            showRepairControls();
            return;
        }
        proposal_ = result;
        preview->setGrid(result.picture, differingCells(start, result.picture));
        verdictLabel->setText(
            tr("印の%1マスを変える案です。\n%2\n「適用」で採用、「取消」で元の絵に戻します。")
                .arg(result.changed.size())
                .arg(result.lineSolvable ? tr("縦と横の数字だけで解けるようになります。")
                                         : tr("解がただ一つになります。")));
        showRepairControls();
    });
    verdictTask_->discard();
    showRepairControls();
}

void PictureImportDialog::applyProposal()
{
    if (!proposal_)
        return;
    const solver::CellGrid repaired = proposal_->picture;
    proposal_.reset();
    repaired_ = repaired;
    preview->setGrid(repaired, {});
    // The clue band widens to hold every run of the repaired picture, so that the verdict and
    // the board OK makes are those of the picture shown.
    if (const std::optional<int> band = clueBandHolding(repaired, clueSizeForVerdict());
        band && *band != clueSizeFromBox(clueBox->text())) {
        const QScopedValueRollback<bool> adjusting(adjusting_, true);
        clueBox->setText(QString::number(*band));
    }
    showRepairControls();
    followClues();
}

void PictureImportDialog::dropProposal()
{
    if (!proposal_)
        return;
    // The picture is the one the last verdict was for: its sentence and offers stand.
    proposal_.reset();
    preview->setGrid(picture(), {});
    verdictLabel->setText(verdictText_);
    showRepairControls();
}

void PictureImportDialog::showRepairControls()
{
    const bool repairing = repairTask_->isRunning();
    const bool proposing = proposal_.has_value();
    // Offered once the verdict asks for them; shown disabled until then so nothing jumps.
    makeUniqueButton->setVisible(!repairing && !proposing);
    lineSolvableButton->setVisible(!repairing && !proposing);
    makeUniqueButton->setEnabled(offerUnique_);
    lineSolvableButton->setEnabled(offerLineSolvable_);
    stopButton->setVisible(repairing);
    progress->setVisible(repairing);
    applyButton->setVisible(proposing);
    dropButton->setVisible(proposing);
}

void PictureImportDialog::okClicked()
{
    const auto clueSize = clueSizeFromBox(clueBox->text());
    if (!clueSize) {
        desktop_.messageBox(translated(kClueSizeRangeMessage), translated(kBadValueTitle), MessageButtons::Ok,
                            MessageIcon::Critical);
        return;
    }
    // A proposal not applied is not taken: OK takes the picture the preview stands for.
    chosenBoard_ = boardFromImportedPicture(picture(), *clueSize);
    accept();
}

void PictureImportDialog::cancelClicked()
{
    chosenBoard_.reset();
    reject();
}

void PictureImportDialog::done(int result)
{
    // Nothing keeps running once the dialog is closed, however it was closed.
    verdictTask_->discard();
    repairTask_->discard();
    QDialog::done(result);
}

} // namespace zumeli
