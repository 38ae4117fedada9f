// Main-window handlers of the player's help: the プレイ menu (hint, mistakes, finished clues
// greyed) and play from the keyboard with a cursor cell. Everything they show is painted over
// the board picture by the board picture control, never into the picture.
#include "main_window/Form1.h"
#include "widgets/board_view.h"

#include "formats/board_clues.h"
#include "solve/drawing_tools.h"
#include "solve/engine/solver.h"
#include "solve/hint.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStringList>
#include <QToolButton>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace zumeli {

namespace {

const char* const kHintCaption = QT_TRANSLATE_NOOP("zumeli::Form1", "ヒント");
const char* const kMistakesCaption = QT_TRANSLATE_NOOP("zumeli::Form1", "間違いを表示");
const char* const kNoClues = QT_TRANSLATE_NOOP("zumeli::Form1", "手がかりの数字がありません");
const char* const kMarksContradict = QT_TRANSLATE_NOOP("zumeli::Form1", "塗ったマスや×が手がかりと矛盾しています");

// How long the mistakes may search for the solution before giving up: long enough for any
// puzzle a person solves by hand, short enough that the window never seems to hang.
constexpr double kMistakesSeconds = 5;

// 「列 12」 or 「行 5」: the line counted from 1 in the answer area.
QString lineName(const BoardModel& model, BoardLine line)
{
    return QStringLiteral("%1 %2")
        .arg(line.kind == BoardLine::Column ? Form1::tr("列") : Form1::tr("行"))
        .arg(line.index - model.clueSize + 1);
}

QString hintText(const BoardModel& model, const Hint& hint)
{
    switch (hint.kind) {
    case Hint::Kind::Cells: {
        QStringList parts;
        if (!hint.toFill.empty())
            parts << Form1::tr("%1 マス塗れます").arg(hint.toFill.size());
        if (!hint.toCross.empty())
            parts << Form1::tr("%1 マスに×が付きます").arg(hint.toCross.size());
        return lineName(model, *hint.line) + QStringLiteral(": ") + parts.join(Form1::tr("、"));
    }
    case Hint::Kind::MarksContradict:
        return hint.line ? lineName(model, *hint.line) + QStringLiteral(": ") + Form1::tr(kMarksContradict)
                         : Form1::tr(kMarksContradict);
    case Hint::Kind::CluesContradict:
        return Form1::tr("手がかりどうしが矛盾しています(答えがありません)");
    case Hint::Kind::NeedsSearch:
        return Form1::tr("線の論理だけでは次の一手が決まりません");
    case Hint::Kind::Finished:
        return Form1::tr("すべての行と列が手がかりどおりに塗れています");
    case Hint::Kind::NoClues:
        return Form1::tr(kNoClues);
    case Hint::Kind::BadClues:
        return Form1::tr("手がかりに負の数があるため、ヒントを出せません");
    }
    return {};
}

} // namespace

void Form1::buildPlayMenu(QMenuBar* bar)
{
    QMenu* menu = translatedText(bar->addMenu(QString()), QT_TR_NOOP("プレイ(&G)"));
    hintAction = translatedText(menu->addAction(QString()), QT_TR_NOOP("ヒント(&H)"));
    hintAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(hintAction, &QAction::triggered, this, &Form1::Hint_Click);
    mistakesAction = translatedText(menu->addAction(QString()), QT_TR_NOOP("間違いを表示(&M)"));
    connect(mistakesAction, &QAction::triggered, this, &Form1::Mistakes_Click);
    menu->addSeparator();
    greyFinishedAction = translatedText(menu->addAction(QString()), QT_TR_NOOP("完成した手がかりを灰色にする(&G)"));
    greyFinishedAction->setCheckable(true);
    connect(greyFinishedAction, &QAction::toggled, this, [this](bool on) {
        play.greyFinished = on;
        play.refreshFinished(model);
        Picture1->update();
    });
    rememberOption(greyFinishedAction, QStringLiteral("play/greyFinishedClues"));
    everyFiveAction = translatedText(menu->addAction(QString()), QT_TR_NOOP("5マスごとに太線(&L)"));
    everyFiveAction->setCheckable(true);
    connect(everyFiveAction, &QAction::toggled, this, [this](bool on) {
        play.everyFiveLines = on;
        Picture1->update();
    });
    rememberOption(everyFiveAction, QStringLiteral("play/everyFiveLines"));
    buildGameOptions(menu);
}

void Form1::setupPlayOverlay()
{
    // Tab reaches the board right after the last button of the tool panel (before the
    // opacity slider and the zoom box), one key away from the buttons; the window still
    // starts with the focus on the first button, as it always did.
    QWidget::setTabOrder(Command2, Picture1);
    Command1->setFocus();

    Picture1->setOverlay([this](QPainter& painter) {
        paintPlayOverlay(painter, play, model, layout, {rectStartX, rectStartY});
    });
    connect(Picture1, &BoardView::keyDown, this, &Form1::boardKey);
    // The mouse is in use again: the cursor hides, and the keys go on from the cell pressed.
    connect(Picture1, &BoardView::mouseDown, this, [this](int, int, double x, double y) {
        const BoardPoint hit = cellAt(x, y, layout.cellSize);
        if (model.isAnswerCell(hit.x, hit.y)) {
            play.cursorColumn = hit.x - model.clueSize;
            play.cursorRow = hit.y - model.clueSize;
        }
        if (std::exchange(play.cursorShown, false))
            Picture1->update();
    });
    // Arriving by Tab shows the cursor at once, where it last was.
    connect(Picture1, &BoardView::focusFromKeyboard, this, [this] {
        if (model.answerWidth() > 0 && model.answerHeight() > 0 && !std::exchange(play.cursorShown, true))
            Picture1->update();
    });
    connect(Picture1, &BoardView::focusLost, this, [this] {
        if (std::exchange(play.cursorShown, false))
            Picture1->update();
    });
}

void Form1::playBoardChanged()
{
    // Only the help text goes: a prompt or notice that a tool wrote since stays.
    if (const auto shown = std::exchange(helpText_, std::nullopt); shown && statusText() == *shown)
        setStatusText(statusBeforeHelp_);
    const bool helped = play.hint || !play.mistakes.empty();
    play.boardChanged(model);
    // Without help on show, a change repaints only what its drawing touched, as always; the
    // greyed clues need the two clue bands besides.
    const QPoint origin = Picture1->contentsRect().topLeft();
    if (helped) {
        Picture1->update();
    } else if (play.greyFinished) {
        for (const BoardLine line : play.refreshFinished(model))
            Picture1->update(clueStrip(model, line, layout).translated(origin));
    }
    checkCompletion();
}

void Form1::showHelpText(const QString& text)
{
    // A second help text replaces the first; the panel's own text is still the one before both.
    if (!helpText_ || statusText() != *helpText_)
        statusBeforeHelp_ = statusText();
    helpText_ = text;
    setStatusText(text);
}

void Form1::Hint_Click()
{
    const Hint hint = findHint(model);
    play.hint.reset();
    if (hint.line) {
        play.hint = hint;
        play.hintBoard = model;
    }
    Picture1->update();
    const QString text = hintText(model, hint);
    showHelpText(text);
    if (hint.kind == Hint::Kind::MarksContradict
        && desktop.messageBox(text + tr("\n間違いを表示しますか？"), tr(kHintCaption),
                              MessageButtons::YesNo, MessageIcon::Information)
               == MessageAnswer::Yes)
        Mistakes_Click();
}

void Form1::Mistakes_Click()
{
    play.mistakes.clear();
    Picture1->update();
    auto refuse = [this](const QString& text) {
        showHelpText(text);
        desktop.messageBox(text, tr(kMistakesCaption), MessageButtons::Ok, MessageIcon::Information);
    };
    const solver::Puzzle puzzle = puzzleFromBoard(model);
    auto blank = [](const std::vector<std::vector<int>>& lines) {
        return std::all_of(lines.begin(), lines.end(), [](const auto& runs) { return runs.empty(); });
    };
    if (blank(puzzle.rows) && blank(puzzle.columns)) {
        // A board being drawn before its clues are made is no puzzle to check against.
        refuse(tr(kNoClues));
        return;
    }
    if (!mistakeSolution_ || puzzle.rows != mistakeRows_ || puzzle.columns != mistakeColumns_) {
        solver::SolveResult result;
        try {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
            solver::SolveOptions options;
            options.timeLimitSeconds = kMistakesSeconds;
            result = solver::solve(puzzle, options);
        } catch (const std::invalid_argument&) {
            refuse(tr("手がかりに負の数があるため、間違いを表示できません"));
            return;
        }
        switch (result.verdict) {
        case solver::Verdict::Unique:
            break;
        case solver::Verdict::Multiple:
            refuse(tr("答えが一つに決まらないため、間違いを表示できません"));
            return;
        case solver::Verdict::NoSolution:
            refuse(tr("手がかりに合う答えがないため、間違いを表示できません"));
            return;
        case solver::Verdict::Stopped:
            refuse(tr("答えが時間内に求まらなかったため、間違いを表示できません"));
            return;
        }
        mistakeRows_ = puzzle.rows;
        mistakeColumns_ = puzzle.columns;
        mistakeSolution_ = result.solutions.front();
    }
    play.mistakes = mistakeCells(model, *mistakeSolution_);
    showHelpText(play.mistakes.empty() ? tr("間違いはありません")
                                       : tr("間違い: %1 マス").arg(play.mistakes.size()));
}

void Form1::boardKey(int key, int shift)
{
    if (model.answerWidth() <= 0 || model.answerHeight() <= 0)
        return;
    const BoardPoint at = play.cursorCell(model);
    play.cursorColumn = at.x - model.clueSize;
    play.cursorRow = at.y - model.clueSize;
    const bool cornerBefore = rectStartX != -1;
    // The first key shows the cursor where it is; the arrows move it from then on.
    const bool wasShown = std::exchange(play.cursorShown, true);
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (wasShown) {
            const int dx = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
            const int dy = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
            play.cursorColumn = std::clamp(play.cursorColumn + dx, 0, model.answerWidth() - 1);
            play.cursorRow = std::clamp(play.cursorRow + dy, 0, model.answerHeight() - 1);
        }
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_X: {
        // The press lands on the middle of the cursor cell, exactly as a mouse press there.
        const BoardPoint cell = play.cursorCell(model);
        const double half = layout.cellSize / 2.0;
        pressBoard(key == Qt::Key_X ? kRightButton : kLeftButton, shift,
                   cellToTwips(cell.x, layout.cellSize) + half, cellToTwips(cell.y, layout.cellSize) + half);
        break;
    }
    default:
        break;
    }
    // A board larger than its scrolling area scrolls to keep the cursor cell in view.
    const BoardPoint shown = play.cursorCell(model);
    const int cellPixels = twipsToPixels(layout.cellSize);
    const QPoint centre = Picture1->contentsRect().topLeft()
                          + QPoint(twipsToPixels(cellToTwips(shown.x, layout.cellSize)) + cellPixels / 2,
                                   twipsToPixels(cellToTwips(shown.y, layout.cellSize)) + cellPixels / 2);
    boardArea->ensureVisible(centre.x(), centre.y(), cellPixels, cellPixels);
    // The cursor's cells, old and new, or the whole board while a rectangle corner is pending
    // (its block follows the cursor).
    if (cornerBefore || rectStartX != -1) {
        Picture1->update();
    } else {
        const BoardPoint now = play.cursorCell(model);
        for (const BoardPoint cell : {at, now}) {
            const int left = twipsToPixels(cellToTwips(cell.x, layout.cellSize));
            const int top = twipsToPixels(cellToTwips(cell.y, layout.cellSize));
            const int size = twipsToPixels(layout.cellSize);
            Picture1->update(QRect(left - 1, top - 1, size + 3, size + 3)
                                 .translated(Picture1->contentsRect().topLeft()));
        }
    }
}

} // namespace zumeli
