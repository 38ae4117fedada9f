// Main-window handlers of play: the puzzle in play, its clock, the completion told at once,
// the progress recorded, and the comfort options of the プレイ menu (drag painting and
// auto-cross).
#include "main_window/Form1.h"

#include "files/progress_store.h"
#include "formats/puzzle_key.h"
#include "solve/answer_check.h"
#include "solve/auto_cross.h"
#include "solve/drawing_tools.h"

#include <QAction>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace zumeli {

namespace {

// The clock shows seconds: a few redraws a second keep it from lagging visibly.
constexpr int kClockRefreshMs = 250;

bool hasClues(const BoardModel& model)
{
    const std::vector<BoardLine> lines = answerLines(model);
    return std::any_of(lines.begin(), lines.end(),
                       [&](BoardLine line) { return !clueNumbers(model, line).empty(); });
}

} // namespace

void Form1::setupGame()
{
    // The clock is a panel of its own after the designed three, hidden until play starts, so
    // the status bar is the designed one whenever nothing is in play.
    clockPanel = new QLabel;
    clockPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    clockPanel->setAlignment(Qt::AlignCenter);
    clockPanel->setMinimumWidth(twipsToPixels(800));
    texts_.add([this] { clockPanel->setToolTip(tr("プレイ時間")); });
    clockPanel->hide();
    statusBar()->addWidget(clockPanel);
    playClockTimer_ = new QTimer(this);
    playClockTimer_->setInterval(kClockRefreshMs);
    connect(playClockTimer_, &QTimer::timeout, this, &Form1::showPlayClock);
    // The program is in front when one of its windows is active: the state as the window
    // system last announced it.
    applicationActive_ = QGuiApplication::applicationState() == Qt::ApplicationActive;
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        applicationActive_ = state == Qt::ApplicationActive;
        updatePlayPause();
    });
    connect(Picture1, &BoardView::mouseMove, this, &Form1::dragMove);
    connect(Picture1, &BoardView::mouseUp, this, [this] { finishDrag(); });
}

void Form1::buildGameOptions(QMenu* menu)
{
    menu->addSeparator();
    dragPaintAction = translatedText(menu->addAction(QString()), QT_TR_NOOP("ドラッグで続けて塗る(&D)"));
    dragPaintAction->setCheckable(true);
    rememberOption(dragPaintAction, QStringLiteral("play/dragPainting"));
    autoCrossAction = translatedText(menu->addAction(QString()), QT_TR_NOOP("完成した列に×を付ける(&X)"));
    autoCrossAction->setCheckable(true);
    rememberOption(autoCrossAction, QStringLiteral("play/autoCross"));
}

void Form1::setPlayClockSource(PlayClock::Source now)
{
    playClock_ = PlayClock(std::move(now));
    if (inPlay_ && !playAgreed_)
        playClock_.start();
    updatePlayPause();
}

void Form1::startPlay()
{
    endPlay();
    if (!hasClues(model))
        return;
    inPlay_ = true;
    playKey_ = QString::fromStdString(puzzleKey(model));
    playClock_.start();
    takePlayBaseline();
    updatePlayPause();
    clockPanel->show();
    showPlayClock();
    playClockTimer_->start();
    if (progress_)
        progress_->recordPlayed(playKey_, QDateTime::currentDateTime());
}

void Form1::endPlay()
{
    if (!inPlay_)
        return;
    inPlay_ = false;
    playClock_.stop();
    playClockTimer_->stop();
    clockPanel->hide();
    if (std::exchange(play.completionNotice, std::nullopt))
        Picture1->update();
}

void Form1::takePlayBaseline()
{
    // A board that agrees already (an answer state of a solved puzzle) was not solved now: it
    // is no completion, and there is nothing left to time.
    playAgreed_ = answerMatchesClues(model);
    if (playAgreed_)
        playClock_.stop();
}

void Form1::checkCompletion()
{
    if (!inPlay_)
        return;
    if (QString::fromStdString(puzzleKey(model)) != playKey_) {
        endPlay();
        return;
    }
    const bool agrees = answerMatchesClues(model);
    if (agrees == std::exchange(playAgreed_, agrees)) {
        // Still complete: the notice's text stays in the status bar across crosses and the like.
        if (agrees && play.completionNotice)
            showHelpText(*play.completionNotice);
        return;
    }
    if (agrees) {
        completePlay();
        return;
    }
    // Undone or erased: the notice goes and the clock counts on.
    play.completionNotice.reset();
    playClock_.resume();
    showPlayClock();
    Picture1->update();
}

void Form1::completePlay()
{
    playClock_.stop();
    const qint64 milliseconds = playClock_.elapsed();
    showPlayClock();
    play.completionNotice = tr("完成！ %1").arg(playTimeText(milliseconds));
    showHelpText(*play.completionNotice);
    Picture1->update();
    if (progress_)
        progress_->recordSolved(playKey_, milliseconds, QDateTime::currentDateTime());
    showCollectionTitleIfSolved();
    emit puzzleSolved(playKey_, milliseconds);
}

void Form1::updatePlayPause()
{
    playClock_.setPaused(isMinimized() || !applicationActive_);
    if (inPlay_)
        showPlayClock();
}

void Form1::showPlayClock() { clockPanel->setText(playTimeText(playClock_.elapsed())); }

// ---------------------------------------------------------------------------------------------
// Drag painting and auto-cross

void Form1::boardMouseDown(int button, int shift, double xTw, double yTw)
{
    finishDrag();  // a second button during a drag ends the drag first
    if (!dropBoardPress_ && startDrag(button, shift, xTw, yTw))
        return;
    pressBoard(button, shift, xTw, yTw);
}

bool Form1::startDrag(int button, int shift, double xTw, double yTw)
{
    if (!dragPaintAction->isChecked() || currentTool != 0)
        return false;
    const BoardPoint hit = cellAt(xTw, yTw, layout.cellSize);
    if (!model.isAnswerCell(hit.x, hit.y))
        return false;
    const std::optional<DragMode> mode = dragModeFor(model.board(hit.x, hit.y), button);
    if (!mode)
        return false;
    // The press itself is the pencil's, as designed; the step is recorded at the release,
    // from the board as it was before the press.
    dragBefore_ = model;
    Picture1_MouseDown(button, shift, xTw, yTw);
    drag_.emplace(hit, *mode);
    return true;
}

void Form1::dragMove(double xTw, double yTw)
{
    if (!drag_)
        return;
    for (const BoardPoint cell : drag_->moveTo(model, cellAt(xTw, yTw, layout.cellSize)))
        DrawCell(toInt16(cell.x), toInt16(cell.y));
    play.dragRun = PlayOverlay::DragRun{QPoint(twipsToPixels(static_cast<int>(xTw)), twipsToPixels(static_cast<int>(yTw))),
                                        drag_->runLength()};
    Picture1->update();
}

void Form1::runAsStep(const QString& stepName, const std::function<void()>& handler)
{
    finishDrag();  // a drag still held is its own step, before any other
    document_->runAsStep(stepName, handler);
}

void Form1::finishDrag()
{
    if (!drag_)
        return;
    drag_.reset();
    play.dragRun.reset();
    Picture1->update();
    // The cells are on screen already: the board goes back to before the press for a moment,
    // so that the whole drag is recorded as one step of undo.
    const BoardModel painted = model;
    const BoardModel before = std::exchange(model, dragBefore_);
    runAsStep(tr("鉛筆"), [&] {
        model = painted;
        autoCrossAfter(before);
    });
}

void Form1::autoCrossAfter(const std::optional<BoardModel>& before)
{
    if (!before || !autoCrossAction->isChecked())
        return;
    for (const BoardPoint cell : crossFinishedLines(model, *before))
        DrawCell(toInt16(cell.x), toInt16(cell.y));
}

} // namespace zumeli
