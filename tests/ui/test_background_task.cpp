// The worker behind the import dialog's live verdict and the repairs: a replaced or destroyed
// run never hands back its result, a cancelled one still does, and progress and results
// arrive on the owner's thread.
#include "tasks/background_task.h"

#include <QSignalSpy>
#include <QThread>
#include <QtTest>

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
};

QTEST_MAIN(BackgroundTaskTest)
#include "test_background_task.moc"

