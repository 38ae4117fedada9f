// The play clock: play time that runs only while the window is in front.
#include "solve/play_clock.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>

namespace zumeli {

namespace {

PlayClock::Source monotonicSource()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

} // namespace

PlayClock::PlayClock(Source now) : now_(now ? std::move(now) : monotonicSource()) {}

void PlayClock::start()
{
    started_ = false;
    counted_ = 0;
    resume();
}

void PlayClock::resume()
{
    if (started_)
        return;
    started_ = true;
    runningSince_ = now_();
}

void PlayClock::stop()
{
    if (!started_)
        return;
    counted_ = elapsed();
    started_ = false;
}

void PlayClock::setPaused(bool paused)
{
    if (paused == paused_)
        return;
    counted_ = elapsed();
    paused_ = paused;
    runningSince_ = now_();
}

qint64 PlayClock::elapsed() const { return running() ? counted_ + (now_() - runningSince_) : counted_; }

QString playTimeText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    const qint64 hours = seconds / 3600;
    const auto two = [](qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(two(seconds / 60 % 60)).arg(two(seconds % 60));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(two(seconds % 60));
}

} // namespace zumeli
