// Resuming after a close or a crash: the keep file follows the board's unsaved changes, a run
// killed with SIGKILL or closed unsaved is offered back at the next start, and a clean exit,
// a broken keep file or a start that opens a file asks nothing.
#include "files/file_io.h"
#include "files/keep_file.h"
#include "helpers/keeping_run.h"
#include "main_window/board_keeper.h"
#include "support/ascii_board.h"
#include "support/main_window.h"
#include "support/scripted_desktop.h"
#include "support/window_snapshot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QProcess>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QTest>
#include <QTimer>

#include <signal.h>

#include <functional>
#include <map>
#include <optional>

using namespace zumeli;

namespace {

std::string fileBytes(const QString& path)
{
    try {
        return readWholeFile(path, kMaxTextFileBytes);
    } catch (const FileAccessError&) {
        return "(none)";
    }
}

// The boards in the keep folder by file, read without removing anything.
std::map<QString, KeptBoard> keptBoards()
{
    std::map<QString, KeptBoard> boards;
    for (const QString& path : keepFilePaths(keepFolder())) {
        try {
            boards.emplace(path, parseKeptBoard(readWholeFile(path, kMaxTextFileBytes)));
        } catch (const FileAccessError&) {
        } catch (const FileFormatError&) {
        }
    }
    return boards;
}

// The one board in the keep folder; nothing when there is none or more.
std::optional<KeptBoard> onlyKeptBoard()
{
    const std::map<QString, KeptBoard> boards = keptBoards();
    if (boards.size() != 1)
        return std::nullopt;
    return boards.begin()->second;
}

// A fresh start: the main window and its keeper, before any question.
struct Start : test::MainWindow {
    BoardKeeper keeper{form, keepFolder()};
};

// What a start shows when nothing is restored.
struct StartUp : test::MainWindow {
    test::Snapshot shown{form};
};

} // namespace

class ResumeTest : public QObject {
    Q_OBJECT

    QTemporaryDir dataHome_;
    QString puzzlePath_;
    QString nonPuzzlePath_;  // the same puzzle as a .non file

    // Runs the child program in `mode` in the same data folder.
    void startChild(QProcess& child, const QString& mode, const QStringList& more = {})
    {
        startChild(child, mode, puzzlePath_, more);
    }

    // Runs the child program in `mode` on `puzzle` in the same data folder.
    void startChild(QProcess& child, const QString& mode, const QString& puzzle,
                    const QStringList& more)
    {
        child.setProcessEnvironment(test::childEnvironment(dataHome_.path()));
        child.start(QStringLiteral(ZUMELI_KEEPING_CHILD), QStringList{mode, puzzle} + more);
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
    }

    // Waits until the child in "wait" mode has played and saved and `kept` holds.
    static void waitUntilPlayed(QProcess& child, const std::function<bool()>& kept)
    {
        // Its line may already have come while the test waited for another run.
        while (!child.canReadLine())
            QVERIFY2(child.waitForReadyRead(60000), qPrintable(child.readAllStandardError()));
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("played"));
        QTRY_VERIFY_WITH_TIMEOUT(kept(), 20000);
    }

    static void killChild(QProcess& child)
    {
        QCOMPARE(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    }

    static void killWhenPlayed(QProcess& child, const std::function<bool()>& kept)
    {
        waitUntilPlayed(child, kept);
        killChild(child);
    }

    // Whether a board titled `title` is kept in the folder.
    static bool keptWithTitle(const QString& title)
    {
        for (const auto& [path, kept] : keptBoards())
            if (kept.titleName == title.toStdString())
                return true;
        return false;
    }

    void runChildToTheEnd(const QString& mode, const QStringList& more = {})
    {
        QProcess child;
        startChild(child, mode, more);
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
    }

    // The window as the child left it, rebuilt by playing the same way here.
    static void expectPlayed(Form1& form, const QString& puzzlePath)
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 played(desktop, model);
        test::playKeptPuzzle(played, puzzlePath);
        QVERIFY(test::Snapshot(played).sameAs(form));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dataHome_.isValid());
        // The keep file goes where the program keeps it, inside a folder of this test alone.
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_.path()));
        QCoreApplication::setApplicationName(QStringLiteral("Zumeli"));
        QCOMPARE(keepFolder(), dataHome_.path() + QStringLiteral("/Zumeli"));
        puzzlePath_ = dataHome_.filePath(QStringLiteral("kept.zml"));
        writeFileAtomically(puzzlePath_, test::kKeptPuzzle.toStdString());
        nonPuzzlePath_ = dataHome_.filePath(QStringLiteral("p.non"));
        writeFileAtomically(nonPuzzlePath_, test::kKeptNonPuzzle.toStdString());
    }

    void init() { QDir(keepFolder()).removeRecursively(); }

    void runKilledWithSigkillIsRestoredOnTheNextStart()
    {
        QProcess child;
        startChild(child, QStringLiteral("wait"));
        QVERIFY(child.waitForReadyRead(60000));
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("played"));
        QTRY_VERIFY_WITH_TIMEOUT(onlyKeptBoard(), 20000);
        QCOMPARE(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        Start start;
        start.keeper.offerRestore();
        QCOMPARE(start.desktop.messages.size(), std::size_t(1));
        const test::ShownMessage question = start.desktop.lastMessage();
        QCOMPARE(question.text, QStringLiteral("前回保存されなかった盤面があります。復元しますか？"));
        QCOMPARE(question.caption, QStringLiteral("ズメリロジック！"));
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        expectPlayed(start.form, puzzlePath_);
        QCOMPARE(start.form.windowTitle(), QStringLiteral("ズメリロジック！ - kept.zml"));
        QCOMPARE(start.ui.Text1->text(), QStringLiteral("150"));
        // The restored board is unsaved, with nothing before it to undo; the start-up picture
        // still waits for its timer.
        QVERIFY(start.form.document().hasUnsavedChanges());
        QVERIFY(!start.form.document().undoStack()->canUndo());
        QVERIFY(!start.ui.Picture4->isHidden());
        QVERIFY(start.ui.Timer1->isActive());
        // It stays kept, now by this window alone: closing again leaves it for the start after.
        start.form.close();
        QCOMPARE(onlyKeptBoard()->model, start.form.document().model());
        QCOMPARE(readKeepFile(start.keeper.path())->model, start.form.document().model());
    }

    void closedUnsavedIsOfferedAndNoDiscardsIt()
    {
        runChildToTheEnd(QStringLiteral("quit"));
        QVERIFY(onlyKeptBoard());

        const StartUp startUp;
        {
            Start start;
            start.desktop.answers = {MessageAnswer::No};
            start.keeper.offerRestore();
            QCOMPARE(start.desktop.messages.size(), std::size_t(1));
            QVERIFY(startUp.shown.sameAs(start.form));
            QVERIFY(!start.form.document().hasUnsavedChanges());
            QVERIFY(keptBoards().empty());
        }
        Start again;
        again.keeper.offerRestore();
        QVERIFY(again.desktop.messages.empty());
    }

    void cleanExitAfterSavingPuzzleAndAnswerStateAsksNothing()
    {
        const QString savedPath = dataHome_.filePath(QStringLiteral("saved.zml"));
        const QString statePath = dataHome_.filePath(QStringLiteral("saved.sts"));
        runChildToTheEnd(QStringLiteral("quit"),
                         {QStringLiteral("puzzle=") + savedPath, QStringLiteral("state=") + statePath});
        QVERIFY(QFile::exists(savedPath));
        QVERIFY(QFile::exists(statePath));
        // Neither a board nor the lock of the run that has ended is left.
        QVERIFY(QDir(keepFolder()).entryList(QDir::Files).isEmpty());

        const StartUp startUp;
        Start start;
        start.keeper.offerRestore();
        QVERIFY(start.desktop.messages.empty());
        QVERIFY(startUp.shown.sameAs(start.form));
    }

    void brokenKeepFileAsksNothingAndIsRemoved()
    {
        std::string truncated = fileBytes(puzzlePath_);
        // The one file of earlier versions, and the file of a window that is gone.
        const QString paths[] = {legacyKeepFilePath(keepFolder()),
                                 QDir(keepFolder()).filePath(QStringLiteral("kept-board-gone.txt"))};
        for (const QString& path : paths) {
            for (const std::string& text : {std::string("zumeli-kept-board 1\r\nsize 5,20"),
                                            std::string("\x89PNG\r\n\x1a\n"), truncated}) {
                writeKeepFile(path, KeptBoard{});  // the folder exists
                writeFileAtomically(path, text);
                const StartUp startUp;
                Start start;
                start.keeper.offerRestore();
                QVERIFY(start.desktop.messages.empty());
                QVERIFY(startUp.shown.sameAs(start.form));
                QVERIFY(!QFile::exists(path));
            }
        }
    }

    void keepFileFollowsTheUnsavedChanges()
    {
        Start start;
        Form1& form = start.form;
        start.keeper.offerRestore();
        test::playKeptPuzzle(form, puzzlePath_);
        QTRY_VERIFY(QFile::exists(start.keeper.path()));
        KeptBoard kept = *readKeepFile(start.keeper.path());
        QCOMPARE(kept.model, form.document().model());
        QCOMPARE(kept.titleName, std::string("kept.zml"));
        QCOMPARE(kept.zoom, std::string("150"));

        form.parts().Text1->setText(QStringLiteral("200"));
        QTRY_COMPARE(readKeepFile(start.keeper.path())->zoom, std::string("200"));

        // Back at the loaded board there is nothing unsaved, and nothing kept at once.
        while (form.document().undoStack()->canUndo() && form.document().hasUnsavedChanges())
            form.document().undoStack()->undo();
        QVERIFY(!form.document().hasUnsavedChanges());
        QVERIFY(!QFile::exists(start.keeper.path()));
        form.document().undoStack()->redo();
        QTRY_VERIFY(QFile::exists(start.keeper.path()));

        // A save is clean as well, once the fills and the cross are saved with the clues: the
        // puzzle file alone holds the clues only.
        start.desktop.chosenFiles.push_back(dataHome_.filePath(QStringLiteral("saved2.zml")));
        form.Command3_Click();
        QTRY_COMPARE(readKeepFile(start.keeper.path())->titleName, std::string("saved2.zml"));
        start.desktop.chosenFiles.push_back(dataHome_.filePath(QStringLiteral("saved2.sts")));
        form.Command4_Click(1);
        QVERIFY(!QFile::exists(start.keeper.path()));

        // Closing with nothing unsaved leaves nothing; closing unsaved keeps the board at once.
        form.parts().Text1->setText(QStringLiteral("100"));
        form.close();
        QVERIFY(!QFile::exists(start.keeper.path()));
        test::pressCell(form, 4, 3);
        form.close();
        kept = *readKeepFile(start.keeper.path());
        QCOMPARE(kept.model, form.document().model());
        QCOMPARE(kept.titleName, std::string("saved2.zml"));
    }

    // A run opens p.non, fills and crosses, saves what the row says through its own commands
    // and is killed: the next start offers the board exactly when the fills and crosses are in
    // no answer state (the puzzle file holds the clues only), under the title of the last save.
    void puzzleSaveKeepsTheFillsUntilTheyAreInAnAnswerState_data()
    {
        QTest::addColumn<QStringList>("saves");
        QTest::addColumn<QString>("offeredTitle");  // empty: nothing offered
        QTest::newRow("puzzle") << QStringList{QStringLiteral("puzzle")} << QStringLiteral("p.zml");
        QTest::newRow("puzzle, then answer state")
            << QStringList{QStringLiteral("puzzle"), QStringLiteral("state")} << QString();
        QTest::newRow("answer state, then puzzle")
            << QStringList{QStringLiteral("state"), QStringLiteral("puzzle")} << QString();
        // The clues are in p.non, which the run opened.
        QTest::newRow("answer state") << QStringList{QStringLiteral("state")} << QString();
        QTest::newRow("nothing") << QStringList{} << QStringLiteral("p.non");
    }

    void puzzleSaveKeepsTheFillsUntilTheyAreInAnAnswerState()
    {
        QFETCH(QStringList, saves);
        QFETCH(QString, offeredTitle);
        const QTemporaryDir savedDir;
        QStringList arguments;
        for (const QString& save : saves)
            arguments << save + QLatin1Char('=') +
                             savedDir.filePath(save == QLatin1String("puzzle") ? QStringLiteral("p.zml")
                                                                               : QStringLiteral("p.sts"));
        QProcess child;
        startChild(child, QStringLiteral("wait"), nonPuzzlePath_, arguments);
        killWhenPlayed(child, [&] {
            if (offeredTitle.isEmpty()) {
                // Time for a keep that should not come to come all the same.
                QTest::qWait(3 * BoardKeeper::kKeepDelayMs);
                return true;
            }
            const std::optional<KeptBoard> kept = onlyKeptBoard();
            return kept && kept->titleName == offeredTitle.toStdString();
        });

        Start start;
        start.keeper.offerRestore();
        if (offeredTitle.isEmpty()) {
            QVERIFY(start.desktop.messages.empty());
            return;
        }
        QCOMPARE(start.desktop.messages.size(), std::size_t(1));
        QCOMPARE(start.form.windowTitle(), QStringLiteral("ズメリロジック！ - ") + offeredTitle);
        test::ScriptedDesktop desktop;
        BoardModel played;
        Form1 form(desktop, played);
        test::playKeptPuzzle(form, nonPuzzlePath_);
        QCOMPARE(start.form.document().model(), played);
        QVERIFY(start.form.document().hasUnsavedChanges());
    }

    // Two runs killed: a start asks about both boards, one question each naming the board,
    // and a Yes restores one; the other stays for the next start, which asks the usual
    // question about it and not about the board the first start is showing.
    void twoKilledRunsBothComeBack()
    {
        const QString otherPuzzle = dataHome_.filePath(QStringLiteral("other.zml"));
        writeFileAtomically(otherPuzzle, test::kKeptPuzzle.toStdString());
        QProcess first;
        QProcess second;
        startChild(first, QStringLiteral("wait"), puzzlePath_, {});
        startChild(second, QStringLiteral("wait"), otherPuzzle, {});
        waitUntilPlayed(first, [] { return keptWithTitle(QStringLiteral("kept.zml")); });
        waitUntilPlayed(second, [] { return keptWithTitle(QStringLiteral("other.zml")); });
        killChild(first);
        killChild(second);
        QCOMPARE(keptBoards().size(), std::size_t(2));

        Start one;
        one.keeper.offerRestore();
        QCOMPARE(one.desktop.messages.size(), std::size_t(1));
        const QString firstTitle = one.form.document().titleName();
        QVERIFY2(one.desktop.lastMessage().text.startsWith(
                     QStringLiteral("前回保存されなかった盤面が 2 つあります（1 つ目: ") + firstTitle +
                     QStringLiteral("、")),
                 qPrintable(one.desktop.lastMessage().text));
        QVERIFY(one.desktop.lastMessage().text.endsWith(QStringLiteral("）。復元しますか？")));
        expectPlayed(one.form, dataHome_.filePath(firstTitle));

        Start two;  // while the first start still shows its board
        two.keeper.offerRestore();
        QCOMPARE(two.desktop.messages.size(), std::size_t(1));
        QCOMPARE(two.desktop.lastMessage().text, kRestoreQuestion);
        const QString secondTitle = two.form.document().titleName();
        expectPlayed(two.form, dataHome_.filePath(secondTitle));
        QCOMPARE((QSet<QString>{firstTitle, secondTitle}),
                 (QSet<QString>{QStringLiteral("kept.zml"), QStringLiteral("other.zml")}));
        // Each board now lives in the keep file of the window showing it.
        QCOMPARE(keptBoards().size(), std::size_t(2));
        QCOMPARE(readKeepFile(one.keeper.path())->model, one.form.document().model());
        QCOMPARE(readKeepFile(two.keeper.path())->model, two.form.document().model());
    }

    // A run that saves and quits leaves the board another run keeps untouched.
    void aSaveInOneRunLeavesTheOthersKeptBoard()
    {
        QProcess keeping;
        startChild(keeping, QStringLiteral("wait"));
        waitUntilPlayed(keeping, [] { return onlyKeptBoard().has_value(); });
        const std::map<QString, KeptBoard> before = keptBoards();
        const QTemporaryDir savedDir;
        runChildToTheEnd(QStringLiteral("quit"),
                         {QStringLiteral("puzzle=") + savedDir.filePath(QStringLiteral("s.zml")),
                          QStringLiteral("state=") + savedDir.filePath(QStringLiteral("s.sts"))});
        QVERIFY(keptBoards() == before);
        killChild(keeping);

        Start start;
        start.keeper.offerRestore();
        QCOMPARE(start.desktop.messages.size(), std::size_t(1));
        QCOMPARE(start.desktop.lastMessage().text, kRestoreQuestion);
        expectPlayed(start.form, puzzlePath_);
    }

    // A start neither offers nor removes the board of a window still running, even when told
    // No; once that run is killed, its lock is seen to be stale and its board is offered.
    void runningWindowsBoardIsNotOffered()
    {
        QProcess running;
        startChild(running, QStringLiteral("wait"));
        waitUntilPlayed(running, [] { return onlyKeptBoard().has_value(); });
        const std::map<QString, KeptBoard> before = keptBoards();
        {
            Start start;
            start.desktop.answers = {MessageAnswer::No};
            start.keeper.offerRestore();
            QVERIFY(start.desktop.messages.empty());
        }
        QVERIFY(keptBoards() == before);
        killChild(running);

        Start start;
        start.keeper.offerRestore();
        QCOMPARE(start.desktop.messages.size(), std::size_t(1));
        expectPlayed(start.form, puzzlePath_);
        // The killed run's file and stale lock are gone; this window's file and lock remain.
        const QString own = QFileInfo(start.keeper.path()).completeBaseName();
        QCOMPARE(QDir(keepFolder()).entryList(QDir::Files, QDir::Name),
                 (QStringList{own + QStringLiteral(".lock"), own + QStringLiteral(".txt")}));
    }

    // The one keep file of earlier versions is offered once with the usual question: Yes moves
    // its board into the window's own keep file, No removes it.
    void legacyKeepFileIsOfferedOnce_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void legacyKeepFileIsOfferedOnce()
    {
        QFETCH(bool, restore);
        const KeptBoard earlier{test::boardWithAnswer(1, {"#x"}), "earlier.zml", "300"};
        const QString legacyPath = legacyKeepFilePath(keepFolder());
        writeKeepFile(legacyPath, earlier);

        Start start;
        start.desktop.answers = {restore ? MessageAnswer::Yes : MessageAnswer::No};
        start.keeper.offerRestore();
        QCOMPARE(start.desktop.messages.size(), std::size_t(1));
        QCOMPARE(start.desktop.lastMessage().text, kRestoreQuestion);
        QVERIFY(!QFile::exists(legacyPath));
        if (restore) {
            QCOMPARE(start.form.document().model(), earlier.model);
            QCOMPARE(start.form.windowTitle(), QStringLiteral("ズメリロジック！ - earlier.zml"));
            QCOMPARE(readKeepFile(start.keeper.path()), earlier);
        } else {
            QVERIFY(keptBoards().empty());
        }
        Start again;  // the first start still runs
        again.keeper.offerRestore();
        QVERIFY(again.desktop.messages.empty());
    }

    void startThatOpensAFileLeavesTheKeptBoard()
    {
        const KeptBoard earlier{test::boardWithAnswer(1, {"#"}), "earlier.zml", "300"};
        const QString earlierPath = legacyKeepFilePath(keepFolder());
        writeKeepFile(earlierPath, earlier);
        const std::string bytes = fileBytes(earlierPath);

        Start start;  // no question: a file was named
        start.form.openFromCommandLine(puzzlePath_);
        start.form.close();
        QCOMPARE(fileBytes(earlierPath), bytes);

        // This run's own unsaved changes are kept beside it, in its own file.
        test::pressCell(start.form, 2, 2);
        QTRY_COMPARE(readKeepFile(start.keeper.path())->model, start.form.document().model());
        QCOMPARE(fileBytes(earlierPath), bytes);
        QVERIFY(start.desktop.messages.empty());
    }
};

QTEST_MAIN(ResumeTest)
#include "test_resume.moc"
