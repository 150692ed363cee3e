#pragma once

// One scan or rewrite of a game's maps at a time, across processes: two
// Quorvells (two windows, a window and a launcher's command line) rewriting
// the same maps at once would each undo part of the other's work.

#include "base/io_error.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace quorvell::patching {

struct LockWaitHooks {
    std::function<void()>
        waiting; // called once, when another process holds the lock and we start waiting
    std::function<void()>
        poll; // called about every 50 ms while waiting (a window services its event loop)
};

// The lock was held by another process for the whole timeout.
class MapsFolderBusy : public IoError {
public:
    using IoError::IoError;
};

// Held for the length of one scan or rewrite of a game's maps folder; waits
// for another process holding it, and throws MapsFolderBusy naming the folder
// after `timeout`. On POSIX it is an advisory lock on the folder itself, so
// no file is created beside the maps; on Windows a named mutex derived from
// the folder's path. A process must not take it twice: the second would wait
// for the first.
class MapsFolderLock {
public:
    explicit MapsFolderLock(const std::filesystem::path& mapsFolder,
                            const LockWaitHooks& hooks = {},
                            std::chrono::milliseconds timeout = std::chrono::seconds(60));
    ~MapsFolderLock();
    MapsFolderLock(const MapsFolderLock&) = delete;
    MapsFolderLock& operator=(const MapsFolderLock&) = delete;

private:
    std::intptr_t native_; // the folder's descriptor, or the mutex handle
};

namespace detail {
// The wait shared by both platforms. tryLock(wait) waits up to `wait` for the
// lock and says whether it was taken; it is first called with zero.
void waitForMapsLock(const std::filesystem::path& mapsFolder, const LockWaitHooks& hooks,
                     std::chrono::milliseconds timeout,
                     const std::function<bool(std::chrono::milliseconds wait)>& tryLock);
} // namespace detail

} // namespace quorvell::patching
