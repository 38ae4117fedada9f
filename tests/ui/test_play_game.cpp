// Play in the main window: the puzzle in play, its completion told at once over the board (and
// only then), the clock, the progress recorded, drag painting and auto-cross; and the window
// as designed while none of it is in use.
#include "dialogs/Form2.h"
#include "dialogs/random_puzzle_dialog.h"
#include "files/progress_store.h"
#include "formats/board_clues.h"
#include "formats/non_format.h"
#include "formats/puzzle_key.h"
#include "main_window/Form1.h"
#include "widgets/board_view.h"
#include "support/ascii_board.h"
#include "support/scripted_desktop.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QTest>

#include <csignal>

using namespace zumeli;
using solver::CellGrid;
using Picture = std::vector<std::string>;

namespace {

// Two solutions: either diagonal.
const char* const kDiagonal = "#.\n.#\n";
const char* const kHouse = "..#..\n.###.\n#####\n#...#\n#.#.#\n";

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A window with a hand-moved play clock, and a puzzle file to load into it.
struct Game {
    QTemporaryDir dir;
    test::ScriptedDesktop desktop;
    BoardModel model;
    Form1 form{desktop, model};
    qint64 now = 0;
    ProgressStore progress{progressFilePath(dir.path())};
    QSignalSpy solved{&form, &Form1::puzzleSolved};

    Game()
    {
        form.Timer1_Timer();
        form.setPlayClockSource([this] { return now; });
        form.setProgressStore(&progress);
        // The clock runs while the program is in front: the window is activated.
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
    // Loads the puzzle of `picture` through the command line, as 問題を開く would.
    void load(const char* picture)
    {
        const QString path = dir.filePath(QStringLiteral("p.non"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(nonText(solver::puzzleFromPicture(CellGrid::fromAscii(picture)))));
        file.close();
        form.openFromCommandLine(path);
    }
    // A pencil press on answer cell (x, y), as the mouse gives it.
    void press(int x, int y, int button = 1)
    {
        const int c = model.clueSize;
        emit form.parts().Picture1->mouseDown(button, 0, cellToTwips(c + x, form.parts().layout.cellSize) + 10.0,
                                      cellToTwips(c + y, form.parts().layout.cellSize) + 10.0);
    }
    void move(int x, int y)
    {
        const int c = model.clueSize;
        emit form.parts().Picture1->mouseMove(cellToTwips(c + x, form.parts().layout.cellSize) + 10.0,
                                      cellToTwips(c + y, form.parts().layout.cellSize) + 10.0);
    }
    void release(int button = 1) { emit form.parts().Picture1->mouseUp(button, 0, 0); }
    // Fills every cell `picture` fills.
    void fillAll(const char* picture)
    {
        const CellGrid grid = CellGrid::fromAscii(picture);
        for (int y = 0; y < grid.height; ++y)
            for (int x = 0; x < grid.width; ++x)
                if (grid.at(x, y) == solver::Cell::Filled)
                    press(x, y);
    }
    QString key() const { return QString::fromStdString(puzzleKey(model)); }
};

} // namespace

class PlayGameTest : public QObject {
    Q_OBJECT

private slots:
    void completionIsToldOnceWhenEveryLineAgrees()
    {
        Game g;
        g.load(kHouse);
        QVERIFY(g.form.inPlay());
        QVERIFY(!g.form.parts().clockPanel->isHidden());
        g.now = 205000;
        // Every cell but the last one: nothing yet.
        g.fillAll("..#..\n.###.\n#####\n#...#\n#.#..\n");
        QVERIFY(!g.form.playCompleted());
        QCOMPARE(g.solved.count(), 0);
        g.press(4, 4);
        QVERIFY(g.form.playCompleted());
        QCOMPARE(g.solved.count(), 1);
        QCOMPARE(g.solved.at(0).at(1).toLongLong(), 205000);
        QCOMPARE(g.form.statusText(), QStringLiteral("完成！ 3:25"));
        QVERIFY(g.desktop.messages.empty());  // told without a message box
        QVERIFY(!g.form.playClockRunning());
        // A cross on an empty cell and a redraw keep the lines agreeing: not told again.
        g.now += 10000;
        g.press(0, 0, 2);
        g.form.RedrawBoard();
        QCOMPARE(g.solved.count(), 1);
        QCOMPARE(g.form.playMilliseconds(), 205000);
        QVERIFY(g.form.playCompleted());
        const PuzzleProgress recorded = ProgressStore(g.progress.path()).progressOf(g.key());
        QVERIFY(recorded.solved);
        QCOMPARE(recorded.bestMilliseconds, std::optional<qint64>(205000));
    }

    // Any solution counts, not only the picture the clues were made from.
    void secondSolutionOfAnAmbiguousPuzzleCompletes()
    {
        Game g;
        g.load(kDiagonal);
        g.fillAll(".#\n#.\n");
        QVERIFY(g.form.playCompleted());
        QCOMPARE(g.solved.count(), 1);
    }

    void undoTakesTheNoticeAwayAndRedoCompletesAnew()
    {
        Game g;
        g.load(kDiagonal);
        g.now = 1000;
        g.fillAll(kDiagonal);
        QVERIFY(g.form.playCompleted());
        g.form.document().undoStack()->undo();
        QVERIFY(!g.form.playCompleted());
        QVERIFY(!g.form.statusText().startsWith(QStringLiteral("完成")));
        QVERIFY(g.form.playClockRunning());  // the clock counts on
        g.now = 3000;
        g.form.document().undoStack()->redo();
        QVERIFY(g.form.playCompleted());
        QCOMPARE(g.solved.count(), 2);
        QCOMPARE(g.solved.at(1).at(1).toLongLong(), 3000);
    }

    // Outside play the same drawings tell nothing: the start-up board, a board whose clues
    // were made from the drawing, a puzzle whose play New ended.
    void neverToldOutsidePlay()
    {
        Game g;
        QVERIFY(!g.form.inPlay());
        g.press(0, 0);
        g.form.runAsStep(QStringLiteral("Make"), [&] { g.form.Command8_Click(); });
        g.press(1, 1);
        g.press(1, 1);  // agrees again
        QCOMPARE(g.solved.count(), 0);
        QVERIFY(!g.form.playCompleted());

        g.load(kDiagonal);
        QVERIFY(g.form.inPlay());
        g.press(0, 0);
        g.form.runAsStep(QStringLiteral("Make"), [&] { g.form.Command8_Click(); });
        QVERIFY(!g.form.inPlay());
        QVERIFY(g.form.parts().clockPanel->isHidden());
        QCOMPARE(g.solved.count(), 0);
    }

    // 問題を開く and ランダム問題... start play; New ends it.
    void puzzleSourcesStartPlay()
    {
        Game g;
        const QString path = g.dir.filePath(QStringLiteral("p.non"));
        g.load(kHouse);
        g.form.endPlay();
        g.desktop.chosenFiles.push_back(path);
        g.form.Command1_Click();
        QVERIFY(g.form.inPlay());
        g.form.endPlay();
        g.desktop.dialogScript = [](QDialog& dialog) {
            if (auto* settings = qobject_cast<RandomPuzzleDialog*>(&dialog)) {
                settings->widthBox->setText(QStringLiteral("5"));
                settings->heightBox->setText(QStringLiteral("5"));
                settings->okClicked();
                return settings->result();
            }
            auto* progress = qobject_cast<QProgressDialog*>(&dialog);
            if (progress && !QTest::qWaitFor([&] { return progress->result() == QDialog::Accepted; }, 60000))
                qWarning("the generation did not end");
            return progress ? progress->result() : int(QDialog::Rejected);
        };
        g.form.runAsStep(QStringLiteral("random"), [&] { g.form.randomPuzzle(); });
        QVERIFY(g.form.inPlay());
        g.desktop.dialogScript = [](QDialog& dialog) {
            if (auto* size = qobject_cast<Form2*>(&dialog))
                size->Command1_Click();  // the size it offers
            return dialog.result();
        };
        g.form.runAsStep(QStringLiteral("New"), [&] { g.form.Command7_Click(); });
        QVERIFY(!g.form.inPlay());
    }

    // Undoing the load changes the clues: play ends there, and nothing completes after it.
    void undoingTheLoadEndsPlay()
    {
        Game g;
        g.load(kDiagonal);
        g.form.document().undoStack()->undo();
        QVERIFY(!g.form.inPlay());
    }

    void clockStopsWhenPlayEndsAndPausesWhenMinimised()
    {
        Game g;
        g.now = 50;
        g.load(kHouse);
        g.now += 4000;
        QCOMPARE(g.form.playMilliseconds(), 4000);
        g.form.setWindowState(Qt::WindowMinimized);
        g.now += 60000;
        QCOMPARE(g.form.playMilliseconds(), 4000);
        g.form.setWindowState(Qt::WindowNoState);
        g.now += 1000;
        QCOMPARE(g.form.playMilliseconds(), 5000);
        QTRY_COMPARE(g.form.parts().clockPanel->text(), QStringLiteral("0:05"));
        g.form.endPlay();
        g.now += 7000;
        QCOMPARE(g.form.playMilliseconds(), 5000);
        QVERIFY(!g.form.playClockRunning());
    }

    // Another program in front makes this one inactive, as the window system announces it:
    // the clock waits until it is active again.
    void clockPausesWhileTheProgramIsNotInFront()
    {
        Game g;
        g.load(kHouse);
        g.now += 2000;
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
        g.now += 30000;
        QCOMPARE(g.form.playMilliseconds(), 2000);
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
        g.now += 1000;
        QCOMPARE(g.form.playMilliseconds(), 3000);
    }

    void everyPlayIsRecorded()
    {
        Game g;
        g.load(kHouse);
        const PuzzleProgress played = ProgressStore(g.progress.path()).progressOf(g.key());
        QVERIFY(!played.solved);
        QVERIFY(played.lastPlayed.isValid());
    }

    // The notice is painted over the picture: the picture, the printer and the bitmap get
    // exactly what an unsolved-in-play board with the same cells gets.
    void noticeNeverReachesPrintOrExport()
    {
        Game played;
        Game drawn;
        played.load(kHouse);
        played.fillAll(kHouse);
        QVERIFY(played.form.playCompleted());
        drawn.load(kHouse);
        drawn.form.endPlay();
        drawn.fillAll(kHouse);
        QVERIFY(!drawn.form.playCompleted());
        QCOMPARE(played.form.parts().picture.image(), drawn.form.parts().picture.image());
        for (Game* g : {&played, &drawn}) {
            g->form.Command5_Click();
            g->desktop.chosenFiles.push_back(played.dir.filePath(g == &played ? "played.bmp" : "drawn.bmp"));
            g->form.Command6_Click();
        }
        QCOMPARE(played.desktop.printCalls.size(), drawn.desktop.printCalls.size());
        for (std::size_t i = 0; i < drawn.desktop.printCalls.size(); ++i)
            QCOMPARE(played.desktop.printCalls[i].image, drawn.desktop.printCalls[i].image);
        const QByteArray bitmap = fileBytes(played.dir.filePath("drawn.bmp"));
        QVERIFY(!bitmap.isEmpty());
        QCOMPARE(fileBytes(played.dir.filePath("played.bmp")), bitmap);
        // On screen the notice is there.
        QVERIFY(played.form.parts().Picture1->grab().toImage() != drawn.form.parts().Picture1->grab().toImage());
    }

    void dragPaintsOneStepAndNeverOverTheOtherMark()
    {
        Game g;
        g.load(kHouse);
        g.form.parts().dragPaintAction->setChecked(true);
        g.press(2, 1, 2);  // a cross in the way (a drag of its own, ended at once)
        g.release(2);
        const int steps = g.form.document().undoStack()->count();
        g.press(0, 1);
        g.move(1, 1);
        g.move(4, 2);  // locked to row 1: the pointer's row does not matter
        QVERIFY(g.form.parts().play.dragRun);
        QCOMPARE(g.form.parts().play.dragRun->length, 5);
        g.release();
        QVERIFY(!g.form.parts().play.dragRun);
        QCOMPARE(test::answerPicture(g.model)[1], std::string("##x##"));
        QCOMPARE(test::answerPicture(g.model)[2], std::string("....."));
        QCOMPARE(g.form.document().undoStack()->count(), steps + 1);
        g.form.document().undoStack()->undo();
        QCOMPARE(test::answerPicture(g.model)[1], std::string("..x.."));
    }

    // A command run while the button is still held (a shortcut) comes after the drag: the
    // drag is recorded first, as its own step.
    void commandDuringADragFollowsIt()
    {
        Game g;
        g.load(kHouse);
        g.form.parts().dragPaintAction->setChecked(true);
        const int steps = g.form.document().undoStack()->count();
        g.press(0, 1);
        g.move(2, 1);
        g.form.runAsStep(QStringLiteral("Make"), [&] { g.form.Command8_Click(); });
        QCOMPARE(g.form.document().undoStack()->count(), steps + 2);
        const std::vector<int> madeClues = test::rowClueCells(g.model, g.model.clueSize);  // answer row 0: drawn empty
        g.form.document().undoStack()->undo();
        QCOMPARE(test::answerPicture(g.model)[1], std::string("###.."));
        QVERIFY(test::rowClueCells(g.model, g.model.clueSize) != madeClues);
        g.form.document().undoStack()->undo();
        QCOMPARE(test::answerPicture(g.model)[1], std::string("....."));
        g.release();
        QCOMPARE(g.form.document().undoStack()->count(), steps + 2);
    }

    void dragOffLeavesThePencilAsDesigned()
    {
        Game g;
        g.load(kHouse);
        g.press(0, 0);
        g.move(4, 0);
        g.release();
        QCOMPARE(test::answerPicture(g.model)[0], std::string("#...."));
    }

    // Auto-cross: the fill that finishes a line crosses the rest of it, in the same step.
    void autoCrossIsPartOfTheFinishingStep()
    {
        Game g;
        g.load(kHouse);
        g.form.parts().autoCrossAction->setChecked(true);
        const int steps = g.form.document().undoStack()->count();
        g.press(2, 0);  // row 0 is {1}; column 2 is {4} and stays open
        QCOMPARE(test::answerPicture(g.model)[0], std::string("xx#xx"));
        QCOMPARE(g.form.document().undoStack()->count(), steps + 1);
        g.form.document().undoStack()->undo();
        QCOMPARE(test::answerPicture(g.model)[0], std::string("....."));
    }

    // The record of a solve is on the disk the moment the notice shows: a run killed right
    // after it leaves its progress behind.
    void solveSurvivesAKillRightAfterIt()
    {
        QTemporaryDir dataHome;
        const QString puzzlePath = dataHome.filePath(QStringLiteral("house.non"));
        const solver::Puzzle puzzle = solver::puzzleFromPicture(CellGrid::fromAscii(kHouse));
        {
            QFile file(puzzlePath);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::fromStdString(nonText(puzzle)));
        }
        QProcess child;
        child.setProcessEnvironment(test::childEnvironment(dataHome.path()));
        child.start(QStringLiteral(ZUMELI_PROGRESS_CHILD),
                    {puzzlePath, QStringLiteral("..#../.###./#####/#...#/#.#.#")});
        QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
        while (!child.canReadLine())
            QVERIFY2(child.waitForReadyRead(60000), qPrintable(child.readAllStandardError()));
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("solved"));
        QCOMPARE(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const ProgressStore store(progressFilePath(dataHome.filePath(QStringLiteral("Zumeli"))));
        QVERIFY(store.setAsidePath().isEmpty());
        QVERIFY(store.progressOf(QString::fromStdString(puzzleKey(puzzle))).solved);
    }

    // No settings, nothing in play: the designed window, its menu's options off, no clock.
    void designedWindowWithoutSettings()
    {
        test::ScriptedDesktop desktop;
        BoardModel model;
        Form1 form{desktop, model};
        QVERIFY(!form.parts().dragPaintAction->isChecked());
        QVERIFY(!form.parts().autoCrossAction->isChecked());
        QVERIFY(form.parts().clockPanel->isHidden());
        QVERIFY(!form.inPlay());
        QVERIFY(!form.parts().play.completionNotice);
    }
};

QTEST_MAIN(PlayGameTest)
#include "test_play_game.moc"
