#pragma once

// Stand-in for the lock between processes on the maps folder: it takes no
// lock at all. The real one replaces this file.

#include <chrono>
#include <filesystem>
#include <functional>

namespace quorvell::patching {

struct LockWaitHooks {
    std::function<void()> waiting;
    std::function<void()> poll;
};

class MapsFolderLock {
public:
    explicit MapsFolderLock(const std::filesystem::path& mapsFolder,
                            const LockWaitHooks& hooks = {},
                            std::chrono::milliseconds timeout = std::chrono::seconds(60)) {
        (void)mapsFolder;
        (void)hooks;
        (void)timeout;
    }
    ~MapsFolderLock() = default;
};

} // namespace quorvell::patching
