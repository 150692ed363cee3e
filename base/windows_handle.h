#pragma once

// Windows only: a handle that closes itself, for the file, search and mutex
// handles the map access, the folder lister, the text reader and the maps
// lock open.

#define WIN32_LEAN_AND_MEAN
#include <utility>
#include <windows.h>

namespace quorvell::win {

// Owns one handle and closes it with Close when it goes. Holding
// INVALID_HANDLE_VALUE or null (what the creating functions return when they
// fail, depending on the function), it owns nothing.
template <BOOL(WINAPI* Close)(HANDLE)> class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() {
        if (valid()) {
            Close(handle_);
        }
    }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    // Gives up ownership: the caller closes the handle.
    HANDLE release() {
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    void swap(OwnedHandle& other) noexcept { std::swap(handle_, other.handle_); }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

using Handle = OwnedHandle<CloseHandle>;   // CreateFileW, CreateMutexW
using FindHandle = OwnedHandle<FindClose>; // FindFirstFileExW

} // namespace quorvell::win
