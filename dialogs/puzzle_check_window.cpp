// The puzzle check window: the check, its report and the repair of the picture.
#include "dialogs/puzzle_check_window.h"

#include "author/image_import.h"
#include "formats/board_clues.h"
#include "solve/answer_check.h"
#include "tasks/background_task.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QEvent>

namespace zumeli {

void PuzzleCheckWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        texts_.apply();
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
    // The title and the buttons follow a change of language; the report stays until the next.
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
    repairTask_ = new BackgroundTask(this);
    connect(repairTask_, &BackgroundTask::progressed, this,
            [this](double fraction) { progress_->setValue(static_cast<int>(fraction * 1000)); });
}

PuzzleCheckWindow::~PuzzleCheckWindow()
{
    stopWorker();
    repairTask_->discard();
}

void PuzzleCheckWindow::stopWorker()
{
    if (cancelFlag_)
        cancelFlag_->store(true);
    if (worker_.joinable())
        worker_.join();
}

void PuzzleCheckWindow::cancel()
{
    if (cancelFlag_)
        cancelFlag_->store(true);
    repairTask_->cancel();
}

void PuzzleCheckWindow::startCheck(const BoardModel& model)
{
    stopWorker();
    repairTask_->discard();
    proposal_.reset();
    offerUnique_ = offerLineSolvable_ = false;
    const solver::Puzzle puzzle = puzzleFromBoard(model);
    const solver::CellGrid drawn = pictureFromBoard(model);
    drawnAgrees_ = answerMatchesClues(model);
    checkedClueSize_ = model.clueSize;
    cancelFlag_ = std::make_shared<std::atomic<bool>>(false);
    const unsigned generation = ++generation_;
    running_ = true;
    text_->setText(tr("検査しています..."));
    progress_->setRange(0, 0);  // busy: the engine cannot tell how far it is
    progress_->setVisible(true);
    showButtons();
    QPointer<PuzzleCheckWindow> self(this);
    worker_ = std::thread([self, puzzle, drawn, generation, flag = cancelFlag_] {
        solver::SolveOptions options;
        options.timeLimitSeconds = kTimeLimitSeconds;
        options.cancel = flag.get();
        options.knownSolution = &drawn; // used when the drawn picture fits the clues
        const solver::SolveResult result = solver::solve(puzzle, options);
        std::optional<solver::Difficulty> difficulty;
        if (result.verdict == solver::Verdict::Unique)
            difficulty = solver::gradeDifficulty(puzzle, result, options);
        // The result is shown on the window's own thread; a newer check or a closed window
        // drops it.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, result, drawn, difficulty, generation] {
                if (self && self->generation_ == generation)
                    self->showResult(result, drawn, difficulty);
            },
            Qt::QueuedConnection);
    });
}

void PuzzleCheckWindow::showResult(const solver::SolveResult& result, const solver::CellGrid& drawn,
                                   std::optional<solver::Difficulty> difficulty)
{
    if (worker_.joinable())
        worker_.join();
    running_ = false;
    progress_->setVisible(false);
    report_ = describeCheck(result, drawn, difficulty);
    reportText_ = report_.lines.join(QLatin1Char('\n'))
        + tr("\n(%1 ミリ秒)").arg(result.elapsedMs, 0, 'f', 1);
    // A repair starts from the author's drawing when it is one of the solutions; a puzzle
    // loaded without its picture starts from the first solution found.
    // A check that ran out of time is most often one with several solutions: the repair
    // decides, from the drawing or a solution found before the time ran out.
    const bool timedOut = result.stopReason == solver::StopReason::TimeLimit
        && (drawnAgrees_ || !result.solutions.empty());
    offerUnique_ = result.verdict == solver::Verdict::Multiple || timedOut;
    offerLineSolvable_ = offerUnique_ || (result.verdict == solver::Verdict::Unique && !result.lineSolvable);
    if (offerLineSolvable_)
        repairPicture_ = drawnAgrees_ ? drawn : result.solutions.front();
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
    const bool repairing = repairTask_->isRunning();
    const bool idle = !running_ && !repairing;
    checkButton->setEnabled(idle);
    cancelButton->setEnabled(!idle);
    makeUniqueButton->setVisible(idle && !proposal_ && offerUnique_);
    lineSolvableButton->setVisible(idle && !proposal_ && offerLineSolvable_);
    applyButton->setVisible(idle && proposal_);
    dropButton->setVisible(idle && proposal_);
}

bool PuzzleCheckWindow::isRepairing() const { return repairTask_->isRunning(); }

void PuzzleCheckWindow::startRepair(bool lineSolvable)
{
    if (running_ || repairTask_->isRunning() || !offerLineSolvable_ || (!lineSolvable && !offerUnique_))
        return;
    proposal_.reset();
    repairLineSolvable_ = lineSolvable;
    const solver::CellGrid start = repairPicture_;
    text_->setText(lineSolvable ? tr("線だけで解けるように絵を直しています...")
                                : tr("解が一つになるように絵を直しています..."));
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    progress_->setVisible(true);
    runMakeUnique(*repairTask_, start, lineSolvable, [this, start](const solver::MakeUniqueResult& result) {
        progress_->setVisible(false);
        if (!result.done) {
            showReport(result.cancelled ? tr("絵を直すのを中止しました。")
                                        : tr("絵を直す方法が見つかりませんでした。"));
            emit repairFinished();
            return;
        }
        // The clues written are the repaired picture's, all of them: a picture whose runs
        // do not fit even the widest clue band is no repair.
        const std::optional<int> band = clueBandHolding(result.picture, checkedClueSize_);
        if (!band) {
            showReport(tr("直した絵は数字が多すぎて問題欄に入りません（最大%1）。")
                           .arg(kMaxClueSize));
            emit repairFinished();
            return;
        }
        proposal_ = result;
        const std::vector<bool> marks = differingCells(start, result.picture);
        const QString widened = *band == checkedClueSize_
            ? QString()
            : tr("数字が入るように問題欄を%1に広げます。\n").arg(*band);
        text_->setText(tr("印の%1マスを変える案です。%2\n%3"
                                      "「適用」で盤面の絵と数字を書き換えます（元に戻せます）。")
                           .arg(result.changed.size())
                           .arg(result.lineSolvable
                                    ? tr("縦と横の数字だけで解けるようになります。")
                                    : tr("解がただ一つになります。"))
                           .arg(widened));
        showPictures({result.picture}, {tr("直した絵")}, {marks});
        showButtons();
        emit repairFinished();
    });
    showButtons();
}

void PuzzleCheckWindow::applyProposal()
{
    if (!proposal_)
        return;
    const solver::CellGrid picture = proposal_->picture;
    const QString stepName = repairLineSolvable_ ? lineSolvableButton->text() : makeUniqueButton->text();
    proposal_.reset();
    showReport();
    emit repairAccepted(stepName, picture);
}

void PuzzleCheckWindow::dropProposal()
{
    if (!proposal_)
        return;
    proposal_.reset();
    showReport();
}

void PuzzleCheckWindow::boardChanged()
{
    if (running_ || (!offerLineSolvable_ && !proposal_ && !repairTask_->isRunning()))
        return;
    repairTask_->discard();
    proposal_.reset();
    offerUnique_ = offerLineSolvable_ = false;
    progress_->setVisible(false);
    showReport(tr("盤面が変わりました。絵を直すには、もう一度検査してください。"));
}

QString PuzzleCheckWindow::resultText() const { return text_->text(); }

} // namespace zumeli
