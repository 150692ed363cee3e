#include "patching/maps_lock.h"

#include <algorithm>

namespace quorvell::patching::detail {

namespace {

constexpr std::chrono::milliseconds kPollInterval{50};

std::string pathText(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

std::string describe(std::chrono::milliseconds timeout) {
    if (timeout.count() % 1000 == 0) {
        const auto seconds = timeout.count() / 1000;
        return std::to_string(seconds) + (seconds == 1 ? " second" : " seconds");
    }
    return std::to_string(timeout.count()) + " milliseconds";
}

} // namespace

void waitForMapsLock(const std::filesystem::path& mapsFolder, const LockWaitHooks& hooks,
                     std::chrono::milliseconds timeout,
                     const std::function<bool(std::chrono::milliseconds wait)>& tryLock) {
    if (tryLock(std::chrono::milliseconds(0))) {
        return;
    }
    if (hooks.waiting) {
        hooks.waiting();
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (hooks.poll) {
            hooks.poll();
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        if (tryLock(std::min(left, kPollInterval))) {
            return;
        }
    }
    // One last look: the other process may have let go during the last poll.
    if (tryLock(std::chrono::milliseconds(0))) {
        return;
    }
    throw MapsFolderBusy(pathText(mapsFolder),
                         "another Quorvell has been working on these maps for " +
                             describe(timeout) + "; try again once it has finished");
}

} // namespace quorvell::patching::detail
