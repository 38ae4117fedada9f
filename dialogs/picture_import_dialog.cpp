// The "画像から問題作成（詳細）" dialog's controls, live preview, verdict and repair.
#include "dialogs/picture_import_dialog.h"

#include "author/new_puzzle.h"
#include "formats/board_clues.h"
#include "solve/check_report.h"
#include "solve/engine/solver.h"
#include "tasks/background_task.h"
#include "tasks/repair_proposal.h"
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
    repair_ = new RepairProposal(RepairTarget::Preview, this);
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
    addOriginalPicture(right);
    auto* form = new QFormLayout;
    right->addLayout(form);
    addAnswerAreaRows(form);
    addClueBandRows(form);
    addThresholdRows(form);
    right->addStretch();
    return right;
}

void PictureImportDialog::addOriginalPicture(QVBoxLayout* column)
{
    original = new QLabel(this);
    original->setAlignment(Qt::AlignCenter);
    original->setFixedSize(160, 160);
    original->setPixmap(QPixmap::fromImage(
        image_.scaled(160, 160, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    column->addWidget(original, 0, Qt::AlignHCenter);
    column->addWidget(new QLabel(tr("%1 × %2 ピクセル").arg(image_.width()).arg(image_.height()), this),
                      0, Qt::AlignHCenter);
}

void PictureImportDialog::addAnswerAreaRows(QFormLayout* form)
{
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
}

void PictureImportDialog::addClueBandRows(QFormLayout* form)
{
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
}

void PictureImportDialog::addThresholdRows(QFormLayout* form)
{
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
    connect(stopButton, &QPushButton::clicked, repair_, &RepairProposal::cancel);
    connect(applyButton, &QPushButton::clicked, this, [this] { applyProposal(); });
    connect(dropButton, &QPushButton::clicked, this, [this] { dropProposal(); });
    connect(okButton, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelClicked(); });
    connect(repair_, &RepairProposal::progressed, this,
            [this](double fraction) { progress->setValue(static_cast<int>(fraction * 1000)); });
    connect(repair_, &RepairProposal::finished, this, [this] { showRepairOutcome(); });
}

const solver::CellGrid& PictureImportDialog::picture() const { return repaired_ ? *repaired_ : thresholded_; }

bool PictureImportDialog::verdictRunning() const { return verdictTask_->isRunning(); }
bool PictureImportDialog::repairRunning() const { return repair_->isRunning(); }
bool PictureImportDialog::hasProposal() const { return repair_->hasProposal(); }
const solver::MakeUniqueResult& PictureImportDialog::proposal() const { return repair_->proposal(); }

QRect PictureImportDialog::sourceRect() const { return trimBox->isChecked() ? content_ : image_.rect(); }

void PictureImportDialog::widthChanged() { sideChanged(true); }

void PictureImportDialog::heightChanged() { sideChanged(false); }

void PictureImportDialog::sideChanged(bool widthLeads)
{
    if (adjusting_)
        return;
    if (keepAspectBox->isChecked()) {
        const QScopedValueRollback<bool> adjusting(adjusting_, true);
        const QSize size = aspectKeptSize(sourceRect().size(), widthLeads,
                                          (widthLeads ? widthBox : heightBox)->value());
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
    repair_->withdraw();
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
    if (!repairRunning() && !hasProposal())
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
    offer_ = {};
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
            // As in the check window; a repair here always starts from the preview's picture.
            offer_ = repairOffer(result, true);
            showRepairControls();
        };
    });
}

void PictureImportDialog::startMakeUnique(bool lineSolvable)
{
    if (repairRunning() || !offer_.allows(lineSolvable))
        return;
    progress->setValue(0);
    verdictLabel->setText(repairRunningText(RepairTarget::Preview, lineSolvable));
    // OK writes every clue of the repaired picture: one whose runs do not fit even the widest
    // clue band is no repair.
    repair_->propose(picture(), lineSolvable, clueSizeForVerdict());
    verdictTask_->discard();
    showRepairControls();
}

void PictureImportDialog::showRepairOutcome()
{
    verdictLabel->setText(repair_->outcome().text);
    if (hasProposal())
        preview->setGrid(proposal().picture, repair_->marks());
    else
        preview->setGrid(repair_->start(), {});
    showRepairControls();
}

void PictureImportDialog::applyProposal()
{
    const std::optional<solver::CellGrid> taken = repair_->take();
    if (!taken)
        return;
    const solver::CellGrid repaired = *taken;
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
    if (!hasProposal())
        return;
    // The picture is the one the last verdict was for: its sentence and offers stand.
    repair_->withdraw();
    preview->setGrid(picture(), {});
    verdictLabel->setText(verdictText_);
    showRepairControls();
}

void PictureImportDialog::showRepairControls()
{
    const bool repairing = repairRunning();
    const bool proposing = hasProposal();
    // Offered once the verdict asks for them; shown disabled until then so nothing jumps.
    makeUniqueButton->setVisible(!repairing && !proposing);
    lineSolvableButton->setVisible(!repairing && !proposing);
    makeUniqueButton->setEnabled(offer_.unique);
    lineSolvableButton->setEnabled(offer_.lineSolvable);
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
    repair_->withdraw();
    QDialog::done(result);
}

} // namespace zumeli
