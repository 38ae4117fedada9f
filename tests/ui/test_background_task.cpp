// The worker behind the check, the import dialog's live verdict, the repairs and the random
// puzzle: a replaced or destroyed run never hands back its result, a cancelled one still does,
// and progress and results arrive on the owner's thread. The windows on it: a newer check
// drops the older one's result, and a window closed while its work runs leaves nothing behind.
#include "tasks/background_task.h"

#include "author/image_import.h"
#include "dialogs/puzzle_check_window.h"
#include "solve/engine/split_mix.h"
#include "support/ascii_board.h"
#include "tasks/random_puzzle_task.h"
#include "tasks/repair_proposal.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using namespace zumeli;

namespace {

// Work that runs until it is cancelled, then hands back `value`.
BackgroundTask::Work untilCancelled(std::vector<int>& delivered, int value, std::atomic<bool>& started)
{
    return [&delivered, value, &started](const std::atomic<bool>& cancel,
                                         const std::function<void(double)>&) -> std::function<void()> {
        started = true;
        while (!cancel)
            std::this_thread::yield();
        return [&delivered, value] { delivered.push_back(value); };
    };
}

// Every line 1 1: two pictures fit its clues.
const solver::CellGrid kCheckerboard = solver::CellGrid::fromAscii("#.#.\n.#.#\n#.#.\n.#.#\n");

// A width x height board of scattered cells, a third of them filled, with its clues: many
// solutions, and a check that takes the engine a while.
BoardModel scatteredBoard(int width, int height, std::uint64_t seed)
{
    solver::SplitMix64 random(seed);
    solver::CellGrid picture(width, height, solver::Cell::Empty);
    for (solver::Cell& cell : picture.cells)
        cell = random.below(3) == 0 ? solver::Cell::Filled : solver::Cell::Empty;
    return boardFromImportedPicture(picture, kMaxClueSize);
}

bool waitUntil(const std::function<bool()>& done) { return QTest::qWaitFor(done, 60000); }

} // namespace

class BackgroundTaskTest : public QObject {
    Q_OBJECT

private slots:
    void aReplacedRunNeverHandsBackItsResult()
    {
        BackgroundTask task;
        std::vector<int> delivered;
        std::atomic<bool> started{false};
        task.start(untilCancelled(delivered, 1, started));
        while (!started)
            std::this_thread::yield();
        QSignalSpy finished(&task, &BackgroundTask::finished);
        task.start([&delivered](const std::atomic<bool>&, const std::function<void(double)>&) {
            return std::function<void()>([&delivered] { delivered.push_back(2); });
        });
        QVERIFY(finished.wait(20000));
        QCoreApplication::processEvents();
        QCOMPARE(delivered, std::vector<int>{2});
        QVERIFY(!task.isRunning());
    }

    void aCancelledRunStillHandsBackWhatItHas()
    {
        BackgroundTask task;
        std::vector<int> delivered;
        std::atomic<bool> started{false};
        QSignalSpy finished(&task, &BackgroundTask::finished);
        task.start(untilCancelled(delivered, 7, started));
        QVERIFY(task.isRunning());
        task.cancel();
        QVERIFY(finished.wait(20000));
        QCOMPARE(delivered, std::vector<int>{7});
        QVERIFY(!task.isRunning());
    }

    void progressAndResultArriveOnTheOwnersThread()
    {
        BackgroundTask task;
        QThread* deliveredOn = nullptr;
        std::vector<double> fractions;
        connect(&task, &BackgroundTask::progressed, &task, [&](double f) {
            QCOMPARE(QThread::currentThread(), task.thread());
            fractions.push_back(f);
        });
        QSignalSpy finished(&task, &BackgroundTask::finished);
        task.start([&deliveredOn](const std::atomic<bool>&, const std::function<void(double)>& progress) {
            // Steps smaller than a thousandth are not passed on.
            for (const double f : {0.25, 0.2501, 0.5, 1.0})
                progress(f);
            return std::function<void()>([&deliveredOn] { deliveredOn = QThread::currentThread(); });
        });
        QVERIFY(finished.wait(20000));
        QCOMPARE(deliveredOn, task.thread());
        QCOMPARE(fractions, (std::vector<double>{0.25, 0.5, 1.0}));
    }

    void aDestroyedTaskStopsItsRunAndDropsTheResult()
    {
        std::vector<int> delivered;
        std::atomic<bool> started{false};
        {
            BackgroundTask task;
            task.start(untilCancelled(delivered, 3, started));
            while (!started)
                std::this_thread::yield();
        }  // returns only once the run has stopped
        QCoreApplication::processEvents();
        QVERIFY(delivered.empty());
    }

    // ------------------------------------------------------------------ the windows on it

    // The second check is of the board as it is now: the first one's verdict never shows.
    void aNewerCheckDropsTheOlderOnesResult()
    {
        PuzzleCheckWindow window;
        QSignalSpy finished(&window, qOverload<>(&PuzzleCheckWindow::finished));
        window.startCheck(boardFromImportedPicture(kCheckerboard, 2));  // several solutions
        window.startCheck(boardFromImportedPicture(solver::CellGrid::fromAscii("##..\n#...\n....\n....\n"), 2));
        QVERIFY(window.isRunning());
        QVERIFY(waitUntil([&] { return !window.isRunning(); }));
        QTest::qWait(50);  // anything the first check posted has arrived by now
        QCOMPARE(finished.count(), 1);
        QVERIFY(window.resultText().startsWith(QStringLiteral("解はただ一つです。")));
        QVERIFY(!window.makeUniqueButton->isVisibleTo(&window));
    }

    // A check window closed in the middle of its check, or of its repair, stops the work and
    // drops its result; nothing runs on into the freed window.
    void aWindowClosedWhileItsWorkRunsLeavesNothingBehind()
    {
        auto window = std::make_unique<PuzzleCheckWindow>();
        window->startCheck(scatteredBoard(60, 60, 1));
        QVERIFY(window->isRunning());
        window.reset();
        QTest::qWait(50);

        window = std::make_unique<PuzzleCheckWindow>();
        window->startCheck(boardFromImportedPicture(kCheckerboard, 2));
        QVERIFY(waitUntil([&] { return !window->isRunning(); }));
        window->startRepair(true);
        QVERIFY(window->isRepairing());
        window.reset();
        QTest::qWait(50);
    }

    // A proposal in flight that is withdrawn or destroyed never hands back its proposal.
    void aWithdrawnRepairNeverProposes()
    {
        const solver::CellGrid checkerboard = kCheckerboard;
        RepairProposal repair(RepairTarget::Board);
        QSignalSpy finished(&repair, &RepairProposal::finished);
        repair.propose(checkerboard, false, 2);
        repair.withdraw();
        QVERIFY(!repair.isRunning());
        QTest::qWait(50);
        QCOMPARE(finished.count(), 0);
        QVERIFY(!repair.hasProposal());

        repair.propose(checkerboard, false, 2);
        QVERIFY(finished.wait(60000));
        QVERIFY(repair.hasProposal());
        QVERIFY(repair.take());
        QVERIFY(!repair.hasProposal());
    }

    // A generation cancelled while it runs stops at its next check and hands back nothing.
    void aCancelledGenerationHandsBackNoBoard()
    {
        BackgroundTask task;
        QSignalSpy finished(&task, &BackgroundTask::finished);
        std::optional<RandomPuzzleOutcome> outcome;
        RandomPuzzleSettings settings;
        settings.width = settings.height = 80;
        settings.difficulty = 4;
        runRandomPuzzle(task, settings, 7, [&](const RandomPuzzleOutcome& ended) { outcome = ended; });
        task.cancel();
        QVERIFY(finished.wait(60000));
        QVERIFY(outcome);
        QVERIFY(!outcome->board);
        QVERIFY(!outcome->failed);
    }
};

QTEST_MAIN(BackgroundTaskTest)
#include "test_background_task.moc"

