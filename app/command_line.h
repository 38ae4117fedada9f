// The program's command line: the files it opens at start-up, --help and --version.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

namespace zumeli {

// The files named on the command line, as full paths; empty when not named.
struct StartupFiles {
    QString puzzle;       // a puzzle: .zml, .non or webpbn XML
    QString answerState;  // an answer state (.sts) for that puzzle
};

// Declares the program's description, --help, --version and the two file arguments.
void describeCommandLine(QCommandLineParser& parser);

// Answers --help and --version (-h, -v) before any window system is touched, so they work
// without a display: prints exactly what the parser of the window application prints and
// ends the program with status 0. Returns for every other command line, and also for
// --help-all, whose text lists the window system's own options, and for one the parser
// refuses (an option it does not know may be one of the window system's): the window
// application reads those as it always has. The application's name and version must be set.
void answerHelpAndVersion(int argc, char* argv[]);

// The files among the parsed arguments, made absolute against the current folder. Returns
// nothing and sets `error` to the line to print when more than two files are named.
std::optional<StartupFiles> startupFiles(const QStringList& positionalArguments,
                                         QString& error);

} // namespace zumeli
