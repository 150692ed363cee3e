#pragma once

// Long operations run on the UI thread and let the event loop breathe now and
// then: before every map file, and inside a map no more often than a frame,
// so a big map neither freezes the window nor spends its time in the loop.

#include "patching/map_file.h"

#include <QtCore/QElapsedTimer>
#include <chrono>

namespace quorvell::app {

class EventYield {
public:
    explicit EventYield(std::chrono::milliseconds interval = std::chrono::milliseconds(16));

    // Before each map file: always services the loop.
    void perFile();
    // From inside a walk: services the loop when the interval has passed.
    void throttled();
    // throttled() in the engine's form; valid while this object lives.
    patching::YieldFn fn() {
        return [this] { throttled(); };
    }

private:
    void service();

    std::chrono::milliseconds interval_;
    QElapsedTimer since_;
};

// Lets the per-map procedures share the running loop's yield, for as long
// as that loop's own yield lives; a loop inside another (the scan a preset
// run starts with) hands the outer one back when it ends.
class YieldInUse {
public:
    YieldInUse(EventYield*& slot, EventYield& yield) : slot_(slot), before_(slot) {
        slot_ = &yield;
    }
    ~YieldInUse() { slot_ = before_; }
    YieldInUse(const YieldInUse&) = delete;
    YieldInUse& operator=(const YieldInUse&) = delete;

private:
    EventYield*& slot_;
    EventYield* before_;
};

} // namespace quorvell::app
