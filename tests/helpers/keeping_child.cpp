// A run of the program for the resume tests: the main window with its board keeper, which
// opens a puzzle, plays on it, saves what it is told to and then, by its first argument,
//   wait  prints "played" and waits to be killed;
//   quit  closes the window.
// The second argument is the puzzle; each further argument is a save made through the
// window's own commands, the file dialog answered with its path, in order:
//   puzzle=PATH  saves the puzzle (問題を保存);
//   state=PATH   saves the answer state (解答エリアを保存).
// Its keep file lies where the program keeps it, in the data folder the environment names
// (XDG_DATA_HOME).
#include "files/keep_file.h"
#include "helpers/keeping_run.h"
#include "main_window/board_keeper.h"
#include "support/scripted_desktop.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zumeli"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 3)
        return 2;
    const QString mode = args[1];
    if (mode != QLatin1String("wait") && mode != QLatin1String("quit"))
        return 2;

    zumeli::test::ScriptedDesktop desktop;
    zumeli::Form1 window(desktop);
    zumeli::BoardKeeper keeper(window, zumeli::keepFolder());
    window.show();
    zumeli::test::playKeptPuzzle(window, args[2]);

    for (const QString& save : args.mid(3)) {
        const QString path = save.section(QLatin1Char('='), 1);
        desktop.chosenFiles.push_back(path);
        if (save.startsWith(QLatin1String("puzzle=")))
            window.Command3_Click();
        else if (save.startsWith(QLatin1String("state=")))
            window.Command4_Click(1);
        else
            return 2;
        if (!desktop.messages.empty() && desktop.lastMessage().text == QStringLiteral("失敗しました"))
            return 3;
    }

    if (mode == QLatin1String("wait")) {
        std::puts("played");
        std::fflush(stdout);
        return QApplication::exec();
    }
    QTimer::singleShot(0, &window, &QWidget::close);
    return QApplication::exec();
}
