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

// The files among the parsed arguments, made absolute against the current folder. Returns
// nothing and sets `error` to the line to print when more than two files are named.
std::optional<StartupFiles> startupFiles(const QStringList& positionalArguments,
                                         QString& error);

} // namespace zumeli
