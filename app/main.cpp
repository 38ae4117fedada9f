// Zumeli's entry point: the application, its command line and its one main window.
#include "app/command_line.h"
#include "files/keep_file.h"
#include "desktop/language.h"
#include "files/progress_store.h"
#include "desktop/qt_desktop.h"
#include "main_window/Form1.h"
#include "main_window/board_keeper.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("Zumeli"));
    QApplication::setApplicationVersion(QStringLiteral(ZUMELI_VERSION));
    // --help and --version need no display: they are answered before the window system.
    zumeli::answerHelpAndVersion(argc, argv);
    QApplication app(argc, argv);
    // The installed desktop entry and icon carry the program's id; the desktop finds the
    // window's entry by it, and the icon theme gives the window its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZUMELI_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ZUMELI_APP_ID)));

    // The language of the user's setting or desktop; Japanese where none is asked for. The
    // command line is written in English, and in Japanese it is answered as written (Qt's
    // own refusals included): its translations come in only for another language.
    zumeli::QtDesktop desktop;
    const QString language = zumeli::chosenLanguage(desktop.settings());
    if (language != zumeli::kSourceLanguage)
        zumeli::installLanguage(language);
    QCommandLineParser parser;
    zumeli::describeCommandLine(parser);
    parser.process(app);  // --help, --version and an unknown option end the program here
    QString error;
    const auto files = zumeli::startupFiles(parser.positionalArguments(), error);
    if (!files) {
        // Worded as the parser words its own refusals.
        std::fprintf(stderr, "%s: %s\n", qPrintable(QApplication::applicationName()),
                     qPrintable(error));
        return 1;
    }

    // The language of the window (Qt's file dialogs and buttons included) follows it.
    zumeli::installLanguage(language);
    // The progress of every puzzle played, beside the kept boards.
    zumeli::ProgressStore progress(zumeli::progressFilePath(zumeli::keepFolder()));
    zumeli::Form1 window(desktop);
    window.setProgressStore(&progress);
    desktop.setParentWindow(&window);
    // The board is kept from the start, so a run that is closed or ends abnormally with
    // unsaved changes can be resumed by a later one; each window keeps its own.
    zumeli::BoardKeeper keeper(window, zumeli::keepFolder());
    window.show();
    // A start that opens a file asks nothing and leaves the kept boards for a later start.
    if (files->puzzle.isEmpty())
        keeper.offerRestoreWhenShown();
    window.openFromCommandLine(files->puzzle, files->answerState);
    return QApplication::exec();
}
