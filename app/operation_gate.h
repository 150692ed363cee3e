#pragma once

// One map operation at a time in the window. The long operations yield to
// the event loop, so a timer, a click or a close request can arrive while one
// runs; nothing may start a second operation then, since both would read and
// write the same maps. The gate also holds the maps-folder lock for the
// running operation, from its first map until it ends or shows a box, so
// another Quorvell never rewrites the maps in between.

#include "patching/maps_lock.h"

#include <functional>
#include <memory>
#include <vector>

namespace quorvell::app {

class OperationGate {
public:
    using LockMaker = std::function<std::unique_ptr<patching::MapsFolderLock>()>;
    explicit OperationGate(LockMaker makeLock);

    bool busy() const { return running_; }

    // Runs operation unless another one is running; false when refused. Any
    // lock taken during it is let go when it ends, and then the actions
    // queued by afterRunning run.
    bool run(const std::function<void()>& operation);

    // action runs once the running operation has ended; at once when none runs.
    void afterRunning(std::function<void()> action);

    // Makes sure the maps are locked for whoever works on them. Within an
    // operation the operation holds the lock (taken on first call) and this
    // returns null; outside one the caller gets a lock of its own.
    [[nodiscard]] std::unique_ptr<patching::MapsFolderLock> lockMaps();

    // Before a box waits for the player: another Quorvell may go on meanwhile.
    // The next lockMaps() of the operation takes the lock again.
    void letGoOfMaps() { lock_.reset(); }

private:
    LockMaker makeLock_;
    bool running_ = false;
    std::unique_ptr<patching::MapsFolderLock> lock_;
    std::vector<std::function<void()>> after_;
};

} // namespace quorvell::app
