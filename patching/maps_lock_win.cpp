#include "base/windows_handle.h"
#include "base/windows_lock_name.h"
#include "base/windows_text.h"
#include "patching/maps_lock.h"

#define WIN32_LEAN_AND_MEAN
#include <cstdio>
#include <string>
#include <system_error>
#include <windows.h>

namespace quorvell::patching {

namespace {

std::wstring mutexName(const std::filesystem::path& folder) {
    return win::lockName(L"maps", folder);
}

} // namespace

// A mutex is owned by a thread, and taken again by the same thread at once:
// the lock is taken and let go on the thread that runs the operation.
MapsFolderLock::MapsFolderLock(const std::filesystem::path& mapsFolder, const LockWaitHooks& hooks,
                               std::chrono::milliseconds timeout) {
    win::Handle mutex(CreateMutexW(nullptr, FALSE, mutexName(mapsFolder).c_str()));
    if (!mutex.valid()) {
        throw IoError(win::pathUtf8(mapsFolder), win::errorReason(GetLastError()));
    }
    detail::waitForMapsLock(mapsFolder, hooks, timeout, [&](std::chrono::milliseconds wait) {
        switch (WaitForSingleObject(mutex.get(), static_cast<DWORD>(wait.count()))) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED: // the holder ended without letting go; ours now
            return true;
        case WAIT_TIMEOUT:
            return false;
        default:
            throw IoError(win::pathUtf8(mapsFolder), win::errorReason(GetLastError()));
        }
    });
    native_ = reinterpret_cast<std::intptr_t>(mutex.release());
}

MapsFolderLock::~MapsFolderLock() {
    HANDLE mutex = reinterpret_cast<HANDLE>(native_);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

} // namespace quorvell::patching
