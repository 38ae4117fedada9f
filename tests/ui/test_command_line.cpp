// Files named on the command line: read as the program reads its arguments, and opened by the
// main window exactly as the Load commands open them, failures and undo included.
#include "app/command_line.h"
#include "main_window/Form1.h"
#include "support/ascii_board.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"
#include "support/window_snapshot.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace zumeli;
using zumeli::test::answerPicture;

namespace {

const QString kFailed = QStringLiteral("失敗しました");

// A 3 x 2 puzzle with a 2-thick band and a state for it: filled, cross and empty cells.
const QByteArray kCatPuzzle = "2,3,2\r\n1,1\r\n2\r\n0\r\n1\r\n3\r\n";
const QByteArray kCatState = "1,2\r\n1,0\r\n0,1\r\n";

const QByteArray kWebpbnXml =
    "<?xml version=\"1.0\"?>\n<puzzleset><puzzle type=\"grid\" defaultcolor=\"black\">\n"
    "<title>Step</title>\n"
    "<clues type=\"columns\"><line><count>1</count></line><line><count>2</count></line></clues>\n"
    "<clues type=\"rows\"><line><count>1</count></line><line><count>2</count></line></clues>\n"
    "</puzzle></puzzleset>\n";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Reads `arguments` as the program reads its own (after the program's name) and hands the
// files to the window the way main() does.
void openAsStarted(Form1& form, const QStringList& arguments)
{
    QCommandLineParser parser;
    describeCommandLine(parser);
    QVERIFY(parser.parse(QStringList{QStringLiteral("zumeli")} + arguments));
    QString error;
    const auto files = startupFiles(parser.positionalArguments(), error);
    QVERIFY2(files, qPrintable(error));
    form.openFromCommandLine(files->puzzle, files->answerState);
}

// What the window shows and keeps, to compare two ways of arriving at it.
struct Shown {
    test::Snapshot window;
    QString dialogFileName;

    explicit Shown(Form1& form) : window(form), dialogFileName(form.parts().dialogFileName) {}
};

void compareShown(const Shown& actual, const Shown& expected)
{
    QVERIFY(actual.window.model == expected.window.model);
    QCOMPARE(actual.window.title, expected.window.title);
    QVERIFY(actual.window.picture == expected.window.picture);
    QVERIFY(actual.window == expected.window);  // the pending corner and the zoom too
    QCOMPARE(actual.dialogFileName, expected.dialogFileName);
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> tempDir;
    QString startFolder = QDir::currentPath();
    QString path(const QString& name) const { return tempDir->filePath(name); }

private slots:
    void init()
    {
        tempDir = std::make_unique<QTemporaryDir>();
        QVERIFY(tempDir->isValid());
        // Relative names on the command line are read against the folder the program runs in.
        QVERIFY(QDir::setCurrent(tempDir->path()));
    }
    void cleanup() { QDir::setCurrent(startFolder); }

    void argumentsNameAPuzzleAndAStateAsFullPaths_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("puzzle");  // relative to the current folder unless absolute
        QTest::addColumn<QString>("state");
        QTest::newRow("nothing") << QStringList{} << "" << "";
        QTest::newRow("a puzzle") << QStringList{"cat.zml"} << "cat.zml" << "";
        QTest::newRow("a puzzle and its state")
            << QStringList{"/data/cat.zml", "cat.sts"} << "/data/cat.zml" << "cat.sts";
        QTest::newRow("a name like an option, after --")
            << QStringList{"--", "-odd.zml"} << "-odd.zml" << "";
        QTest::newRow("an empty name is the folder itself") << QStringList{""} << "." << "";
    }
    void argumentsNameAPuzzleAndAStateAsFullPaths()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, puzzle);
        QFETCH(QString, state);
        QCommandLineParser parser;
        describeCommandLine(parser);
        QVERIFY(parser.parse(QStringList{QStringLiteral("zumeli")} + arguments));
        QString error;
        const auto files = startupFiles(parser.positionalArguments(), error);
        QVERIFY(files);
        auto full = [](const QString& name) {
            return name.isEmpty() ? name : QDir::cleanPath(QDir::current().absoluteFilePath(name));
        };
        QCOMPARE(QDir::cleanPath(files->puzzle), full(puzzle));
        QCOMPARE(files->answerState, full(state));
        QVERIFY(error.isEmpty());
    }

    void moreThanAPuzzleAndAStateIsRefused()
    {
        QString error;
        QVERIFY(!startupFiles({"a.zml", "b.sts", "c.sts"}, error));
        QVERIFY(error.contains(QStringLiteral("Too many files")));
    }

    void puzzleOpensWithTheBoardAndTitleOfTheLoadCommand_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("zml") << "cat.zml" << kCatPuzzle;
        QTest::newRow("non") << "knot.non" << QByteArray();  // a shared sample, copied
        QTest::newRow("webpbn xml") << "step.xml" << kWebpbnXml;
    }
    void puzzleOpensWithTheBoardAndTitleOfTheLoadCommand()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        if (contents.isEmpty()) {
            QFile sample(QStringLiteral(ZUMELI_SAMPLE_PUZZLES "/webpbn/webpbn-00016-knot.non"));
            QVERIFY(sample.open(QIODevice::ReadOnly));
            contents = sample.readAll();
        }
        writeFile(path(name), contents);

        test::ScriptedDesktop loadDesktop;
        BoardModel loadModel;
        Form1 loaded(loadDesktop, loadModel);
        loadDesktop.chosenFiles.push_back(path(name));
        loaded.Command1_Click();

        test::ScriptedDesktop startDesktop;
        BoardModel startModel;
        Form1 started(startDesktop, startModel);
        openAsStarted(started, {name});

        QVERIFY(startDesktop.messages.empty());
        QVERIFY(startDesktop.fileDialogs.empty());  // no dialog: the file is already chosen
        QCOMPARE(started.windowTitle(), QStringLiteral("ズメリロジック！ - ") + name);
        compareShown(Shown(started), Shown(loaded));
        QVERIFY(!(startModel == BoardModel()));
    }

    void unreadablePuzzleShowsTheFailureAndTheDesignedStartUp_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("contents");  // written to broken.zml
        QTest::newRow("no such file") << QStringList{"missing.zml"} << QByteArray();
        QTest::newRow("a folder") << QStringList{"."} << QByteArray();
        QTest::newRow("last row line missing") << QStringList{"broken.zml"}
                                               << QByteArray("2,3,2\n1\n1\n1\n1\n");
        QTest::newRow("not a puzzle") << QStringList{"broken.zml"} << QByteArray("\x89PNG\r\n");
        // The state belongs to the puzzle: it is not laid over the start-up board.
        QTest::newRow("with a state") << QStringList{"missing.zml", "cat.sts"} << QByteArray();
    }
    void unreadablePuzzleShowsTheFailureAndTheDesignedStartUp()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, contents);
        writeFile(path("broken.zml"), contents);
        writeFile(path("cat.sts"), kCatState);

        test::ScriptedDesktop plainDesktop;
        BoardModel plainModel;
        Form1 plain(plainDesktop, plainModel);  // started without arguments

        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        openAsStarted(form, arguments);

        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].text, kFailed);
        QCOMPARE(desktop.messages[0].caption, QStringLiteral("Zumeli"));
        QCOMPARE(desktop.messages[0].icon, MessageIcon::None);
        QVERIFY(model == plainModel);
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - 名称未指定"));
        QVERIFY(ui.picture.image() == plain.parts().picture.image());
        QVERIFY(!ui.Picture4->isHidden());
        QVERIFY(ui.Timer1->isActive());
        QVERIFY(!form.document().undoStack()->canUndo());
    }

    void puzzleAndStateOpenAsBothLoadCommandsWould()
    {
        writeFile(path("cat.zml"), kCatPuzzle);
        writeFile(path("cat.sts"), kCatState);

        test::ScriptedDesktop loadDesktop;
        BoardModel loadModel;
        Form1 loaded(loadDesktop, loadModel);
        loadDesktop.chosenFiles = {path("cat.zml"), path("cat.sts")};
        loaded.Command1_Click();
        loaded.Command4_Click(0);

        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        openAsStarted(form, {"cat.zml", "cat.sts"});

        QVERIFY(desktop.messages.empty());
        QCOMPARE(answerPicture(model), (std::vector<std::string>{"##.", "x.#"}));
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
        compareShown(Shown(form), Shown(loaded));
    }

    void stateThatDoesNotFitFailsAfterThePuzzleLoaded()
    {
        writeFile(path("cat.zml"), kCatPuzzle);
        writeFile(path("short.sts"), "1,2\r\n1,0\r\n");  // two columns for a puzzle of three

        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        openAsStarted(form, {"cat.zml", "short.sts"});

        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QCOMPARE(desktop.messages[0].text, kFailed);
        QCOMPARE(model.gridWidth, int16(5));
        QCOMPARE(model.gridHeight, int16(4));
        QCOMPARE(answerPicture(model), (std::vector<std::string>{"...", "..."}));
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
    }

    void openingIsOneStepThatUndoTakesBack()
    {
        writeFile(path("cat.zml"), kCatPuzzle);
        writeFile(path("cat.sts"), kCatState);
        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        const BoardModel startUp = model;
        openAsStarted(form, {"cat.zml", "cat.sts"});

        QVERIFY(form.document().undoStack()->canUndo());
        form.document().undoStack()->undo();
        QVERIFY(model == startUp);
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - 名称未指定"));
        QVERIFY(!form.document().undoStack()->canUndo());
        form.document().undoStack()->redo();
        QCOMPARE(answerPicture(model), (std::vector<std::string>{"##.", "x.#"}));
        QCOMPARE(form.windowTitle(), QStringLiteral("ズメリロジック！ - cat.zml"));
    }

    void noArgumentsChangeNothing()
    {
        test::ScriptedDesktop plainDesktop;
        BoardModel plainModel;
        Form1 plain(plainDesktop, plainModel);

        test::MainWindow fixture;
        auto& [desktop, model, form, ui] = fixture;
        openAsStarted(form, {});

        QVERIFY(desktop.messages.empty());
        compareShown(Shown(form), Shown(plain));
        QVERIFY(!form.document().undoStack()->canUndo());
    }
};

QTEST_MAIN(CommandLineTest)
#include "test_command_line.moc"
