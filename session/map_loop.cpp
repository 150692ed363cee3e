#include "session/map_loop.h"

#include "base/path_text.h"

#include <string>

namespace quorvell::session {

namespace {

// "stopped after 2 of 5 maps (done: A.ibt, B.ibt)"
std::string stoppedText(const std::vector<std::filesystem::path>& mapsDone, std::size_t total) {
    std::string text = "stopped after " + std::to_string(mapsDone.size()) + " of " +
                       std::to_string(total) + " maps";
    for (std::size_t i = 0; i < mapsDone.size(); ++i) {
        text += (i == 0 ? " (done: " : ", ") + pathText(mapsDone[i].filename());
    }
    return mapsDone.empty() ? text + ", none changed" : text + ")";
}

} // namespace

RunStopped::RunStopped(std::vector<std::filesystem::path> mapsDone, std::size_t total)
    : std::runtime_error(stoppedText(mapsDone, total)), mapsDone_(std::move(mapsDone)),
      total_(total) {}

MapsLocker::Hold::Hold(MapsLocker& locker) : locker_(&locker) {
    if (locker.holds_ == 0) {
        locker.lock_ = locker.maker_ ? locker.maker_() : nullptr;
    }
    ++locker.holds_;
}

void MapsLocker::Hold::release() {
    if (locker_ == nullptr) {
        return;
    }
    if (--locker_->holds_ == 0) {
        locker_->lock_.reset();
    }
    locker_ = nullptr;
}

MapsLocker::Maker folderLock(std::filesystem::path mapsFolder, std::function<void()> waiting) {
    return [folder = std::move(mapsFolder), waiting = std::move(waiting)] {
        patching::LockWaitHooks hooks;
        hooks.waiting = waiting;
        return std::make_unique<patching::MapsFolderLock>(folder, hooks);
    };
}

void forEachMap(const std::vector<std::filesystem::path>& maps, RunContext& context,
                const MapStep& step, std::vector<IoError>* unreadable) {
    if (maps.empty()) {
        return;
    }
    const MapsLocker::Hold hold = context.locker.hold();
    const LoopHooks& hooks = context.loop;
    for (std::size_t i = 0; i < maps.size(); ++i) {
        if (i > 0 && hooks.stopRequested && hooks.stopRequested()) {
            throw RunStopped({maps.begin(), maps.begin() + static_cast<std::ptrdiff_t>(i)},
                             maps.size());
        }
        if (hooks.beforeMap) {
            hooks.beforeMap();
        }
        try {
            step(i, maps[i]);
        } catch (const IoError& failure) {
            if (unreadable == nullptr) {
                throw;
            }
            unreadable->push_back(failure);
        }
        if (hooks.afterMap) {
            hooks.afterMap(i, maps.size());
        }
    }
}

} // namespace quorvell::session
