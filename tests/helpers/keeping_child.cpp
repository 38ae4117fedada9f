// A run of the program for the resume tests: the main window with its board keeper, which
// opens a puzzle, plays on it and then, by its first argument,
//   wait       prints "played" and waits to be killed;
//   quit       closes the window with the changes unsaved;
//   save-quit  saves the puzzle to its third argument and closes the window.
// The second argument is the puzzle. The keep file lies where the program keeps it, in the
// data folder the environment names (XDG_DATA_HOME).
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

    zumeli::test::ScriptedDesktop desktop;
    zumeli::Form1 window(desktop);
    zumeli::BoardKeeper keeper(window, zumeli::keepFilePath());
    window.show();
    zumeli::test::playKeptPuzzle(window, args[2]);

    if (mode == QLatin1String("save-quit")) {
        if (args.size() < 4)
            return 2;
        desktop.chosenFiles.push_back(args[3]);
        window.Command3_Click();
        if (window.hasUnsavedChanges())
            return 3;
    } else if (mode == QLatin1String("wait")) {
        std::puts("played");
        std::fflush(stdout);
        return QApplication::exec();
    } else if (mode != QLatin1String("quit")) {
        return 2;
    }
    QTimer::singleShot(0, &window, &QWidget::close);
    return QApplication::exec();
}
