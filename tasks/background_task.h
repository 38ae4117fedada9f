// One piece of work at a time on a worker thread, for windows that must stay responsive: the
// work can be cancelled or replaced by a newer one, reports progress, and hands its result
// back on the window's own thread. A replaced run's result is dropped. The one runner of the
// check, the import dialog's verdict, the repairs and the random-puzzle generation.
#pragma once

#include "solve/engine/make_unique.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace zumeli {

class BackgroundTask : public QObject {
    Q_OBJECT

public:
    // Runs on the worker thread with the run's cancel flag and a progress reporter (0..1,
    // callable from the worker); returns what to do with its result on the owner's thread.
    // It works on copies (the owner is touched only by what it returns) and reads the flag
    // often: a replaced, discarded or destroyed run is waited for once the flag is set, so the
    // wait is as short as the work makes it (the engine's runs stop within milliseconds).
    using Work = std::function<std::function<void()>(const std::atomic<bool>& cancel,
                                                     const std::function<void(double)>& progress)>;

    explicit BackgroundTask(QObject* parent = nullptr);
    ~BackgroundTask() override;  // stops a run and waits for it; its result is dropped

    // Starts `work`; a run still going is stopped first and its result dropped.
    void start(Work work);
    // Asks the run to stop; the work still hands back what it has (its own "cancelled").
    void cancel();
    // Stops a run, waits for it and drops its result.
    void discard();
    bool isRunning() const { return running_; }

signals:
    // The run's progress, 0..1, on the owner's thread (at most once per 1/1000 step).
    void progressed(double fraction);
    // A run ended and its result was handed back (or it failed and handed back nothing).
    void finished();

private:
    void join();

    std::thread worker_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    unsigned generation_ = 0;
    bool running_ = false;
};

// Runs makeUnique on `picture` (line-solvable when asked) as `task`'s run; `done` gets its
// result on the owner's thread. The make-unique repair of the import dialog and the check
// window.
void runMakeUnique(BackgroundTask& task, const solver::CellGrid& picture, bool lineSolvable,
                 std::function<void(const solver::MakeUniqueResult&)> done);

} // namespace zumeli
