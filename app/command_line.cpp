// The program's command line: its options and the files it names.
#include "app/command_line.h"
#include "desktop/language.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace zumeli {

void describeCommandLine(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QCoreApplication::translate("zumeli::CommandLine", "Zumeli (ズメリロジック！): solve and author nonograms."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("puzzle"),
        QCoreApplication::translate("zumeli::CommandLine", "Puzzle to open (.zml, .non or webpbn XML), as the Load command would."),
        QStringLiteral("[puzzle"));
    parser.addPositionalArgument(
        QStringLiteral("state"),
        QCoreApplication::translate("zumeli::CommandLine", "Answer state (.sts) to load into that puzzle."), QStringLiteral("[state]]"));
}

void answerHelpAndVersion(int argc, char* argv[])
{
    // Read without an application first: the arguments as the application would see them.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describeCommandLine(parser);
    // The parser answers --version before --help, and either before --help-all.
    if (!parser.parse(arguments)
        || !(parser.isSet(QStringLiteral("version")) || parser.isSet(QStringLiteral("help"))))
        return;
    // Only a core application: the help names the program as it was started, and nothing
    // of the window system is needed to print it.
    QCoreApplication app(argc, argv);
    // The help speaks the language the window would; in Japanese it stays as written.
    QSettings settings(QSettings::UserScope, QCoreApplication::applicationName());
    if (const QString language = chosenLanguage(settings); language != kSourceLanguage) {
        installLanguage(language);
        QCommandLineParser translatedParser;
        describeCommandLine(translatedParser);
        translatedParser.process(app);  // prints and ends the program
    }
    parser.process(app);  // prints and ends the program
}

std::optional<StartupFiles> startupFiles(const QStringList& positionalArguments, QString& error)
{
    if (positionalArguments.size() > 2) {
        error = QCoreApplication::translate("zumeli::CommandLine", "Too many files: give a puzzle and at most one answer state.");
        return std::nullopt;
    }
    // A file dialog hands the Load commands full paths; so does the command line. An empty
    // argument becomes the current folder, which cannot be read as a puzzle.
    StartupFiles files;
    if (positionalArguments.size() > 0)
        files.puzzle = QDir::current().absoluteFilePath(positionalArguments[0]);
    if (positionalArguments.size() > 1)
        files.answerState = QDir::current().absoluteFilePath(positionalArguments[1]);
    return files;
}

} // namespace zumeli
