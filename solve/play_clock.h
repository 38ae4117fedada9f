// The play clock: the time a puzzle has been played, running only while the player can play.
#pragma once

#include <QtGlobal>

#include <functional>

namespace zumeli {

// Counts milliseconds of play read from a monotonic source (QElapsedTimer in the window,
// a hand-moved time in the tests). It runs while it is started and not paused: a pause (the
// window minimised or not in front) and a stop both hold the time counted so far; the end of
// a pause does not start a stopped clock again.
class PlayClock {
public:
    using Source = std::function<qint64()>;  // milliseconds, never going back
    explicit PlayClock(Source now = {});

    void start();   // from 0, running unless paused
    void stop();    // counts no further until the next start or resume
    void resume();  // a stopped clock counts on from where it stopped
    void setPaused(bool paused);

    qint64 elapsed() const;
    bool started() const { return started_; }
    bool running() const { return started_ && !paused_; }

private:
    Source now_;
    bool started_ = false;
    bool paused_ = false;
    qint64 counted_ = 0;    // up to runningSince_ (or in all, when not running)
    qint64 runningSince_ = 0;
};

// 「3:25」, 「12:05」, or with hours 「1:02:09」: minutes and seconds of `milliseconds`.
QString playTimeText(qint64 milliseconds);

} // namespace zumeli
