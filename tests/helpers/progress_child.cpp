// A run of the program for the progress test: the main window with the progress store the
// program uses (progress.json in the data folder the environment names, XDG_DATA_HOME), which
// opens the puzzle of its first argument, fills the cells of its second ('#' in rows joined by
// '/'), prints "solved" once the puzzle is complete and waits to be killed.
#include "files/keep_file.h"
#include "files/progress_store.h"
#include "main_window/Form1.h"
#include "support/scripted_desktop.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zumeli"));
    const QStringList args = QApplication::arguments();
    if (args.size() != 3)
        return 2;
    zumeli::test::ScriptedDesktop desktop;
    zumeli::ProgressStore progress(zumeli::progressFilePath(zumeli::keepFolder()));
    zumeli::Form1 window(desktop);
    window.setProgressStore(&progress);
    window.show();
    window.openFromCommandLine(args[1]);
    const QStringList rows = args[2].split(QLatin1Char('/'));
    const int c = window.document().model().clueSize;
    for (int y = 0; y < rows.size(); ++y)
        for (int x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == QLatin1Char('#'))
                emit window.parts().Picture1->mouseDown(1, 0, zumeli::cellToTwips(c + x, window.parts().layout.cellSize) + 10.0,
                                                zumeli::cellToTwips(c + y, window.parts().layout.cellSize) + 10.0);
    if (!window.playCompleted())
        return 3;
    std::puts("solved");
    std::fflush(stdout);
    return QApplication::exec();
}
