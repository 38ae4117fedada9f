// The main window's menu bar, undo and redo, the puzzle export and the puzzle check window.
#include "main_window/Form1.h"

#include "formats/board_clues.h"
#include "files/file_io.h"
#include "formats/non_format.h"
#include "formats/webpbn_xml.h"
#include "dialogs/puzzle_check_window.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSettings>
#include <QToolButton>
#include <QUndoStack>

#include <utility>

namespace zumeli {

namespace {

// The name of the step a menu item runs, shown after 元に戻す and やり直し: the item's text
// without its access key and the dots of an item that opens a dialog.
QString stepName(QString menuText)
{
    menuText.remove(QStringLiteral("..."));
    menuText.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    return menuText.remove(QLatin1Char('&'));
}

// The keys this program offers for a command, followed by the platform's own.
QList<QKeySequence> withStandardKeys(QList<QKeySequence> keys, QKeySequence::StandardKey standard)
{
    for (const QKeySequence& key : QKeySequence::keyBindings(standard))
        if (!keys.contains(key))
            keys << key;
    return keys;
}

// A button of the tool panel runs the same command as its menu item.
void alsoOn(QToolButton* button, QAction* action)
{
    QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
}

} // namespace

void Form1::buildMenus()
{
    QMenuBar* bar = menuBar();
    buildFileMenu(bar);
    buildEditMenu(bar);
    buildPuzzleMenu(bar);
    buildPlayMenu(bar);
    buildToolMenu(bar);
}

// Each command is a menu item that runs it as one undoable step named after the item.
QAction* Form1::addCommand(QMenu* menu, const char* text, std::function<void()> handler,
                           const QList<QKeySequence>& keys)
{
    QAction* action = translatedText(menu->addAction(QString()), text);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, [this, action, handler = std::move(handler)] {
        runAsStep(stepName(action->text()), handler);
    });
    return action;
}

QMenu* Form1::translatedText(QMenu* menu, const char* title)
{
    texts_.add([this, menu, title] { menu->setTitle(tr(title)); });
    return menu;
}

QAction* Form1::translatedText(QAction* action, const char* text)
{
    texts_.add([this, action, text] { action->setText(tr(text)); });
    return action;
}

void Form1::buildFileMenu(QMenuBar* bar)
{
    QMenu* file = translatedText(bar->addMenu(QString()), QT_TR_NOOP("ファイル(&F)"));
    alsoOn(Command1, addCommand(file, QT_TR_NOOP("問題を開く(&O)..."), [this] { Command1_Click(); },
                         {QKeySequence::Open}));
    alsoOn(Command3, addCommand(file, QT_TR_NOOP("問題を保存(&S)..."), [this] { Command3_Click(); },
                         {QKeySequence::Save}));
    file->addSeparator();
    alsoOn(Command4[0], addCommand(file, QT_TR_NOOP("解答エリアを開く(&L)..."), [this] { Command4_Click(0); }));
    alsoOn(Command4[1], addCommand(file, QT_TR_NOOP("解答エリアを保存(&A)..."), [this] { Command4_Click(1); }));
    file->addSeparator();
    alsoOn(Command9, addCommand(file, QT_TR_NOOP("画像ファイルから問題を作成(&I)..."), [this] { Command9_Click(); }));
    QMenu* exports = translatedText(file->addMenu(QString()), QT_TR_NOOP("問題を書き出す(&E)"));
    addCommand(exports, QT_TR_NOOP(".non 形式(&N)..."), [this] { exportPuzzle(FileCommand::ExportNon); });
    addCommand(exports, QT_TR_NOOP("webpbn XML 形式(&X)..."),
        [this] { exportPuzzle(FileCommand::ExportWebpbnXml); });
    alsoOn(Command6, addCommand(file, QT_TR_NOOP("BMPとして出力(&B)..."), [this] { Command6_Click(); }));
    alsoOn(Command5, addCommand(file, QT_TR_NOOP("印刷(&P)"), [this] { Command5_Click(); },
                         {QKeySequence::Print}));
    file->addSeparator();
    QAction* quit = translatedText(file->addAction(QString()), QT_TR_NOOP("終了(&X)"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

void Form1::buildEditMenu(QMenuBar* bar)
{
    // The undo stack's own actions: disabled while there is nothing to undo or redo, and
    // naming the step they would undo or redo after their prefix.
    QMenu* edit = translatedText(bar->addMenu(QString()), QT_TR_NOOP("編集(&E)"));
    // The stack's actions keep the prefix they were made with: a new language makes them anew.
    texts_.add([this, edit] { buildUndoActions(edit); });
}

void Form1::buildUndoActions(QMenu* edit)
{
    QUndoStack* undoStack = document_->undoStack();
    delete std::exchange(undoAction, undoStack->createUndoAction(edit, tr("元に戻す(&U)")));
    undoAction->setShortcuts(withStandardKeys({QKeySequence(Qt::CTRL | Qt::Key_Z)}, QKeySequence::Undo));
    delete std::exchange(redoAction, undoStack->createRedoAction(edit, tr("やり直し(&R)")));
    redoAction->setShortcuts(withStandardKeys(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        QKeySequence::Redo));
    edit->addAction(undoAction);
    edit->addAction(redoAction);
}

void Form1::buildPuzzleMenu(QMenuBar* bar)
{
    QMenu* puzzle = translatedText(bar->addMenu(QString()), QT_TR_NOOP("問題(&P)"));
    alsoOn(Command7, addCommand(puzzle, QT_TR_NOOP("新規作成(&N)..."), [this] { Command7_Click(); },
                         {QKeySequence::New}));
    alsoOn(Command8, addCommand(puzzle, QT_TR_NOOP("解答から問題を作成(&M)"), [this] { Command8_Click(); }));
    addCommand(puzzle, QT_TR_NOOP("ランダム問題..."), [this] { randomPuzzle(); });
    alsoOn(Command2, addCommand(puzzle, QT_TR_NOOP("答え合わせ(&J)"), [this] { Command2_Click(); }));
    puzzle->addSeparator();
    QAction* check = translatedText(puzzle->addAction(QString()), QT_TR_NOOP("問題の検査(&C)..."));
    check->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    connect(check, &QAction::triggered, this, &Form1::openCheckWindow);
    puzzle->addSeparator();
    addCommand(puzzle, QT_TR_NOOP("画像から問題作成（詳細）..."), [this] { importPicture(); });
    addCommand(puzzle, QT_TR_NOOP("問題集..."), [this] { openCollection(); });
}

void Form1::buildToolMenu(QMenuBar* bar)
{
    QMenu* tools = translatedText(bar->addMenu(QString()), QT_TR_NOOP("ツール(&T)"));
    addCommand(tools, QT_TR_NOOP("鉛筆(&P)"), [this] { Picture3_Click(0); });
    addCommand(tools, QT_TR_NOOP("四角(&R)"), [this] { Picture3_Click(1); });
    buildLanguageMenu(tools);
}

void Form1::rememberOption(QAction* option, const QString& key)
{
    QSettings& settings = desktop.settings();
    // Set before the option is watched, through its own toggled handler: nothing is written
    // at a start, so a start without settings leaves no settings file behind.
    option->setChecked(settings.value(key, false).toBool());
    connect(option, &QAction::toggled, this, [this, key](bool on) {
        QSettings& kept = desktop.settings();
        kept.setValue(key, on);
        kept.sync();  // kept even if the program ends abnormally later
    });
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
        connect(checkWindow, &PuzzleCheckWindow::repairAccepted, this,
                [this](const QString& stepName, const solver::CellGrid& picture) {
                    applyRepairedPicture(stepName, picture);
                });
        // Every change of the board is a step on the undo stack, undo and redo included.
        connect(document_->undoStack(), &QUndoStack::indexChanged, checkWindow, &PuzzleCheckWindow::boardChanged);
    }
    checkWindow->show();
    checkWindow->raise();
    checkWindow->startCheck(model);
}

} // namespace zumeli
