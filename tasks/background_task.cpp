// The worker thread behind the windows' background work.
#include "tasks/background_task.h"

#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace zumeli {

BackgroundTask::BackgroundTask(QObject* parent) : QObject(parent) {}

BackgroundTask::~BackgroundTask() { discard(); }

void BackgroundTask::join()
{
    if (worker_.joinable())
        worker_.join();
}

void BackgroundTask::cancel()
{
    if (cancel_)
        cancel_->store(true);
}

void BackgroundTask::discard()
{
    cancel();
    join();
    ++generation_;  // whatever the finished run posted is now stale
    running_ = false;
}

void BackgroundTask::start(Work work)
{
    discard();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    const unsigned generation = ++generation_;
    running_ = true;
    QPointer<BackgroundTask> self(this);
    worker_ = std::thread([self, generation, flag = cancel_, work = std::move(work)] {
        // Progress is passed on only when it has moved by a thousandth, so a fine-grained
        // reporter cannot flood the event queue.
        auto lastStep = std::make_shared<std::atomic<int>>(-1);
        const std::function<void(double)> progress = [self, generation, lastStep](double fraction) {
            const int step = static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 1000));
            if (lastStep->exchange(step) == step)
                return;
            QMetaObject::invokeMethod(
                self.data(), [self, generation, step] {
                    if (self && self->generation_ == generation && self->running_)
                        emit self->progressed(step / 1000.0);
                },
                Qt::QueuedConnection);
        };
        std::function<void()> deliver;
        try {
            deliver = work(*flag, progress);
        } catch (...) {
            deliver = nullptr;  // a failed run hands back nothing
        }
        // Posted to the task object, so a destroyed task never receives it.
        QMetaObject::invokeMethod(
            self.data(), [self, generation, deliver = std::move(deliver)] {
                if (!self || self->generation_ != generation)
                    return;
                self->join();
                self->running_ = false;
                if (deliver)
                    deliver();
                emit self->finished();
            },
            Qt::QueuedConnection);
    });
}

void runMakeUnique(BackgroundTask& task, const solver::CellGrid& picture, bool lineSolvable,
                 std::function<void(const solver::MakeUniqueResult&)> done)
{
    task.start([picture, lineSolvable, done = std::move(done)](
                   const std::atomic<bool>& cancel,
                   const std::function<void(double)>& report) -> std::function<void()> {
        solver::MakeUniqueOptions options;
        options.lineSolvable = lineSolvable;
        options.cancel = &cancel;
        options.progress = report;
        const solver::MakeUniqueResult result = solver::makeUnique(picture, options);
        return [done, result] { done(result); };
    });
}

} // namespace zumeli
