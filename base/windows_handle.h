#pragma once

// Windows only: a handle that closes itself, for the file and search handles
// the map access and the folder lister open.

#define WIN32_LEAN_AND_MEAN
#include <utility>
#include <windows.h>

namespace quorvell::win {

// Owns one handle and closes it with Close when it goes; holding
// INVALID_HANDLE_VALUE, it owns nothing.
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
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void swap(OwnedHandle& other) noexcept { std::swap(handle_, other.handle_); }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

using FileHandle = OwnedHandle<CloseHandle>; // CreateFileW
using FindHandle = OwnedHandle<FindClose>;   // FindFirstFileExW

} // namespace quorvell::win
