// The main window's menu bar, undo and redo, the puzzle export and the puzzle check window.
#include "main_window/Form1.h"

#include "formats/board_clues.h"
#include "files/file_io.h"
#include "formats/non_format.h"
#include "formats/webpbn_xml.h"
#include "main_window/puzzle_check_window.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace zumeli {

void Form1::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const QString& text, std::function<void()> handler,
                      const QList<QKeySequence>& keys = {}) {
        QAction* action = menu->addAction(text);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, [this, handler] { runAsStep(handler); });
        return action;
    };

    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    add(file, QStringLiteral("問題を開く(&O)..."), [this] { Command1_Click(); }, {QKeySequence::Open});
    add(file, QStringLiteral("問題を保存(&S)..."), [this] { Command3_Click(); }, {QKeySequence::Save});
    file->addSeparator();
    add(file, QStringLiteral("解答エリアを開く(&L)..."), [this] { Command4_Click(0); });
    add(file, QStringLiteral("解答エリアを保存(&A)..."), [this] { Command4_Click(1); });
    file->addSeparator();
    add(file, QStringLiteral("画像ファイルから問題を作成(&I)..."), [this] { Command9_Click(); });
    QMenu* exports = file->addMenu(QStringLiteral("問題を書き出す(&E)"));
    add(exports, QStringLiteral(".non 形式(&N)..."), [this] { exportPuzzle(FileCommand::ExportNon); });
    add(exports, QStringLiteral("webpbn XML 形式(&X)..."),
        [this] { exportPuzzle(FileCommand::ExportWebpbnXml); });
    add(file, QStringLiteral("BMPとして出力(&B)..."), [this] { Command6_Click(); });
    add(file, QStringLiteral("印刷(&P)"), [this] { Command5_Click(); }, {QKeySequence::Print});
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("終了(&X)"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = bar->addMenu(QStringLiteral("編集(&E)"));
    undoAction = edit->addAction(QStringLiteral("元に戻す(&U)"));
    undoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    connect(undoAction, &QAction::triggered, this, &Form1::Undo);
    redoAction = edit->addAction(QStringLiteral("やり直し(&R)"));
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redoAction, &QAction::triggered, this, &Form1::Redo);

    QMenu* puzzle = bar->addMenu(QStringLiteral("問題(&P)"));
    add(puzzle, QStringLiteral("新規作成(&N)..."), [this] { Command7_Click(); }, {QKeySequence::New});
    add(puzzle, QStringLiteral("解答から問題を作成(&M)"), [this] { Command8_Click(); });
    add(puzzle, QStringLiteral("答え合わせ(&J)"), [this] { Command2_Click(); });
    puzzle->addSeparator();
    QAction* check = puzzle->addAction(QStringLiteral("問題の検査(&C)..."));
    check->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    connect(check, &QAction::triggered, this, &Form1::openCheckWindow);

    QMenu* tools = bar->addMenu(QStringLiteral("ツール(&T)"));
    add(tools, QStringLiteral("鉛筆(&P)"), [this] { Picture3_Click(0); });
    add(tools, QStringLiteral("四角(&R)"), [this] { Picture3_Click(1); });

    updateUndoActions();
}

void Form1::runAsStep(const std::function<void()>& handler)
{
    const BoardState before{model, titleName_};
    handler();
    // Only a change of the board is a step; a title that changes alone (a save) is not.
    if (!(model == before.model))
        history.record(before, BoardState{model, titleName_});
    updateUndoActions();
}

void Form1::updateUndoActions()
{
    if (undoAction)
        undoAction->setEnabled(history.canUndo());
    if (redoAction)
        redoAction->setEnabled(history.canRedo());
}

void Form1::restoreState(const BoardState& state)
{
    model = state.model;
    setTitleName(state.titleName);
    forgetRectangleStart();
    redrawOrResetZoom(Redraw::Full);
    updateUndoActions();
}

void Form1::Undo()
{
    BoardState state{model, titleName_};
    if (history.undo(state))
        restoreState(state);
}

void Form1::Redo()
{
    BoardState state{model, titleName_};
    if (history.redo(state))
        restoreState(state);
}

void Form1::exportPuzzle(FileCommand command)
{
    runFileFlow(desktop, command, dialogFileName, [this, command](const QString& path) {
        solver::Puzzle puzzle = puzzleFromBoard(model);
        puzzle.title = fileTitle(path).section(QLatin1Char('.'), 0, 0).toStdString();
        const std::string text = command == FileCommand::ExportNon ? nonText(puzzle)
                                                                   : webpbnXmlText(puzzle);
        writeFileAtomically(path, text);
    });
}

void Form1::openCheckWindow()
{
    if (!checkWindow) {
        checkWindow = new PuzzleCheckWindow(this);
        connect(checkWindow, &PuzzleCheckWindow::checkRequested, this,
                [this] { checkWindow->startCheck(model); });
    }
    checkWindow->show();
    checkWindow->raise();
    checkWindow->startCheck(model);
}

} // namespace zumeli
