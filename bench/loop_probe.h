#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QEventLoop>
#include <QtCore/QObject>
#include <QtCore/QTimer>
#include <algorithm>
#include <functional>

namespace quorvell::bench {

// Ticks as often as the event loop lets it and keeps the longest time
// between two ticks.
class LoopProbe : public QObject {
public:
    LoopProbe() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
        clock_.start();
    }
    // Runs action from the event loop and returns the longest gap, in
    // seconds, from the last tick before it to the first tick after it.
    double longestGapDuring(const std::function<void()>& action) {
        QEventLoop loop;
        longest_ = 0;
        last_ = clock_.nsecsElapsed();
        timer_.start();
        QTimer::singleShot(0, &loop, [&] {
            action();
            tick();
            loop.quit();
        });
        loop.exec();
        timer_.stop();
        return static_cast<double>(longest_) / 1e9;
    }

private:
    void tick() {
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

} // namespace quorvell::bench
