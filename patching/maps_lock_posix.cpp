#include "patching/maps_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace quorvell::patching {

namespace {

// The descriptor of the folder, closed on every way out of the constructor.
class FolderHandle {
public:
    explicit FolderHandle(const std::filesystem::path& folder)
        : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0) {
            throw IoError(folder.string(), systemReason(errno));
        }
    }
    ~FolderHandle() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    int fd() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

bool lockNow(const std::filesystem::path& folder, int fd) {
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno == EWOULDBLOCK) {
            return false;
        }
        if (errno != EINTR) {
            throw IoError(folder.string(), systemReason(errno));
        }
    }
}

} // namespace

// flock, not fcntl locks: an fcntl lock belongs to the process and vanishes
// when any descriptor of the folder closes (a folder listing would do it),
// while flock belongs to this open of the folder alone.
MapsFolderLock::MapsFolderLock(const std::filesystem::path& mapsFolder, const LockWaitHooks& hooks,
                               std::chrono::milliseconds timeout) {
    FolderHandle folder(mapsFolder);
    detail::waitForMapsLock(mapsFolder, hooks, timeout, [&](std::chrono::milliseconds wait) {
        if (lockNow(mapsFolder, folder.fd())) {
            return true;
        }
        if (wait.count() == 0) {
            return false;
        }
        std::this_thread::sleep_for(wait);
        return lockNow(mapsFolder, folder.fd());
    });
    native_ = folder.release();
}

// Closing the descriptor lets the lock go.
MapsFolderLock::~MapsFolderLock() {
    ::close(static_cast<int>(native_));
}

} // namespace quorvell::patching
