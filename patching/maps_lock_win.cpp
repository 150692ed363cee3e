#include "base/windows_handle.h"
#include "base/windows_text.h"
#include "patching/maps_lock.h"

#define WIN32_LEAN_AND_MEAN
#include <cstdio>
#include <string>
#include <system_error>
#include <windows.h>

namespace quorvell::patching {

namespace {

// One name for one folder however it is spelt: the folder's full path, in
// lower case as the file system compares names, hashed (FNV-1a) because a
// mutex name may hold no backslash and is limited in length.
std::wstring mutexName(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::weakly_canonical(folder, error);
    if (error) {
        full = std::filesystem::absolute(folder, error);
    }
    std::wstring text = (error ? folder : full).lexically_normal().make_preferred().wstring();
    while (text.size() > 3 && text.back() == L'\\') {
        text.pop_back();
    }
    if (!text.empty()) {
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t unit : text) {
        hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211ull;
    }
    wchar_t hex[17];
    std::swprintf(hex, 17, L"%016llx", static_cast<unsigned long long>(hash));
    // Local: the processes of one session; a game folder is a player's own.
    return L"Local\\Quorvell-maps-" + std::wstring(hex);
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
