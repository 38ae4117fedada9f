// The puzzle check window: the check, its report and the repair of the picture.
#include "dialogs/puzzle_check_window.h"

#include "author/image_import.h"
#include "formats/board_clues.h"
#include "solve/answer_check.h"
#include "tasks/background_task.h"
#include "tasks/repair_proposal.h"

#include <QHBoxLayout>
#include <QLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QEvent>

namespace zumeli {

void PuzzleCheckWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        texts_.apply();
        if ((isRunning() || isRepairing()) && runningText_)
            text_->setText(runningText_());
    }
    QDialog::changeEvent(event);
}

PuzzleCheckWindow::PuzzleCheckWindow(QWidget* parent) : QDialog(parent)
{
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetMinimumSize);  // never smaller than its pictures
    text_ = new QLabel(tr("「検査する」を押すと、いまの数字で解がいくつあるかを調べます。"), this);
    // One sentence a line, unwrapped: a wrapped label makes the window misjudge its height.
    text_->setWordWrap(false);
    text_->setMinimumWidth(360);
    layout->addWidget(text_);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 0);  // busy: the engine cannot tell how far it is
    progress_->setVisible(false);
    layout->addWidget(progress_);
    pictures_ = new QHBoxLayout;
    layout->addLayout(pictures_);
    auto* buttons = new QHBoxLayout;
    checkButton = new QPushButton(this);
    cancelButton = new QPushButton(this);
    auto* closeButton = new QPushButton(this);
    cancelButton->setEnabled(false);
    makeUniqueButton = new QPushButton(this);
    lineSolvableButton = new QPushButton(this);
    applyButton = new QPushButton(this);
    dropButton = new QPushButton(this);
    // The title and the buttons follow a change of language, as does the note of a running
    // check or repair (see changeEvent); the report stays until the next.
    texts_.add([this, closeButton] {
        setWindowTitle(tr("問題の検査"));
        checkButton->setText(tr("検査する(&C)"));
        cancelButton->setText(tr("中止(&S)"));
        closeButton->setText(tr("閉じる"));
        makeUniqueButton->setText(tr("一意にする"));
        lineSolvableButton->setText(tr("線だけで解けるようにする"));
        applyButton->setText(tr("適用"));
        dropButton->setText(tr("取消"));
    });
    for (QPushButton* button : {makeUniqueButton, lineSolvableButton, applyButton, dropButton}) {
        button->setVisible(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(checkButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(checkButton, &QPushButton::clicked, this, &PuzzleCheckWindow::checkRequested);
    connect(cancelButton, &QPushButton::clicked, this, &PuzzleCheckWindow::cancel);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(makeUniqueButton, &QPushButton::clicked, this, [this] { startRepair(false); });
    connect(lineSolvableButton, &QPushButton::clicked, this, [this] { startRepair(true); });
    connect(applyButton, &QPushButton::clicked, this, &PuzzleCheckWindow::applyProposal);
    connect(dropButton, &QPushButton::clicked, this, &PuzzleCheckWindow::dropProposal);
    checkTask_ = new BackgroundTask(this);
    repair_ = new RepairProposal(RepairTarget::Board, this);
    connect(repair_, &RepairProposal::progressed, this,
            [this](double fraction) { progress_->setValue(static_cast<int>(fraction * 1000)); });
    connect(repair_, &RepairProposal::finished, this, &PuzzleCheckWindow::showRepairOutcome);
}

PuzzleCheckWindow::~PuzzleCheckWindow()
{
    checkTask_->discard();
    repair_->withdraw();
}

bool PuzzleCheckWindow::isRunning() const { return checkTask_->isRunning(); }

void PuzzleCheckWindow::cancel()
{
    checkTask_->cancel();
    repair_->cancel();
}

void PuzzleCheckWindow::startCheck(const BoardModel& model)
{
    repair_->withdraw();
    offer_ = {};
    const solver::Puzzle puzzle = puzzleFromBoard(model);
    const solver::CellGrid drawn = pictureFromBoard(model);
    drawnAgrees_ = answerMatchesClues(model);
    checkedClueSize_ = model.clueSize;
    runningText_ = [] { return tr("検査しています..."); };
    text_->setText(runningText_());
    progress_->setRange(0, 0);  // busy: the engine cannot tell how far it is
    progress_->setVisible(true);
    // The result is shown on the window's own thread; a newer check or a closed window drops it.
    checkTask_->start([this, puzzle, drawn](const std::atomic<bool>& cancel,
                                            const std::function<void(double)>&) -> std::function<void()> {
        solver::SolveOptions options;
        options.timeLimitSeconds = kTimeLimitSeconds;
        options.cancel = &cancel;
        options.knownSolution = &drawn; // used when the drawn picture fits the clues
        options.learnDifficulty = true;  // a unique verdict comes with its grade
        const solver::SolveResult result = solver::solve(puzzle, options);
        std::optional<solver::Difficulty> difficulty;
        if (result.verdict == solver::Verdict::Unique)
            difficulty = solver::gradeDifficulty(puzzle, result, options);
        return [this, result, drawn, difficulty] { showResult(result, drawn, difficulty); };
    });
    showButtons();
}

void PuzzleCheckWindow::showResult(const solver::SolveResult& result, const solver::CellGrid& drawn,
                                   std::optional<solver::Difficulty> difficulty)
{
    progress_->setVisible(false);
    report_ = describeCheck(result, drawn, difficulty);
    reportText_ = report_.lines.join(QLatin1Char('\n'))
        + tr("\n(%1 ミリ秒)").arg(result.elapsedMs, 0, 'f', 1);
    // A repair starts from the author's drawing when it is one of the solutions; a puzzle
    // loaded without its picture starts from the first solution found.
    const std::optional<solver::CellGrid> start = repairStart(result, drawn, drawnAgrees_);
    offer_ = repairOffer(result, start.has_value());
    if (start)
        repairPicture_ = *start;
    showReport();
    emit finished();
}

void PuzzleCheckWindow::showReport(const QString& note)
{
    text_->setText(note.isEmpty() ? reportText_ : note + QLatin1Char('\n') + reportText_);
    showPictures(report_.grids, report_.gridCaptions, report_.marked);
    showButtons();
}

void PuzzleCheckWindow::showPictures(const std::vector<solver::CellGrid>& grids,
                                     const QStringList& captions,
                                     const std::vector<std::vector<bool>>& marked)
{
    for (QWidget* widget : pictureWidgets_)
        widget->deleteLater();
    pictureWidgets_.clear();
    for (std::size_t i = 0; i < grids.size(); ++i) {
        auto* box = new QWidget(this);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(new QLabel(captions.value(static_cast<qsizetype>(i)), box));
        auto* view = new CellGridView(box);
        view->setGrid(grids[i], i < marked.size() ? marked[i] : std::vector<bool>{});
        boxLayout->addWidget(view);
        pictures_->addWidget(box);
        pictureWidgets_.push_back(box);
    }
    // The window grows to show the new pictures and sentences.
    layout()->activate();
    resize(sizeHint().expandedTo(size()));
}

void PuzzleCheckWindow::showButtons()
{
    const bool idle = !isRunning() && !isRepairing();
    const bool proposing = hasProposal();
    checkButton->setEnabled(idle);
    cancelButton->setEnabled(!idle);
    makeUniqueButton->setVisible(idle && !proposing && offer_.unique);
    lineSolvableButton->setVisible(idle && !proposing && offer_.lineSolvable);
    applyButton->setVisible(idle && proposing);
    dropButton->setVisible(idle && proposing);
}

bool PuzzleCheckWindow::isRepairing() const { return repair_->isRunning(); }
bool PuzzleCheckWindow::hasProposal() const { return repair_->hasProposal(); }
const solver::MakeUniqueResult& PuzzleCheckWindow::proposal() const { return repair_->proposal(); }

void PuzzleCheckWindow::startRepair(bool lineSolvable)
{
    if (isRunning() || isRepairing() || !offer_.allows(lineSolvable))
        return;
    runningText_ = [lineSolvable] { return repairRunningText(RepairTarget::Board, lineSolvable); };
    text_->setText(runningText_());
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    progress_->setVisible(true);
    repair_->propose(repairPicture_, lineSolvable, checkedClueSize_);
    showButtons();
}

void PuzzleCheckWindow::showRepairOutcome()
{
    progress_->setVisible(false);
    if (!hasProposal()) {
        showReport(repair_->outcome().text);
        emit repairFinished();
        return;
    }
    text_->setText(repair_->outcome().text);
    showPictures({proposal().picture}, {tr("直した絵")}, {repair_->marks()});
    showButtons();
    emit repairFinished();
}

void PuzzleCheckWindow::applyProposal()
{
    const QString stepName = repair_->lineSolvable() ? lineSolvableButton->text() : makeUniqueButton->text();
    const std::optional<solver::CellGrid> picture = repair_->take();
    if (!picture)
        return;
    showReport();
    emit repairAccepted(stepName, *picture);
}

void PuzzleCheckWindow::dropProposal()
{
    if (!hasProposal())
        return;
    repair_->withdraw();
    showReport();
}

void PuzzleCheckWindow::boardChanged()
{
    if (isRunning() || (!offer_.lineSolvable && !hasProposal() && !isRepairing()))
        return;
    repair_->withdraw();
    offer_ = {};
    progress_->setVisible(false);
    showReport(tr("盤面が変わりました。絵を直すには、もう一度検査してください。"));
}

QString PuzzleCheckWindow::resultText() const { return text_->text(); }

} // namespace zumeli
