#include "base/io_error.h"
#include "base/windows_handle.h"
#include "base/windows_lock_name.h"
#include "base/windows_text.h"
#include "presets/preset_store.h"

#define WIN32_LEAN_AND_MEAN
#include <algorithm>
#include <cstdio>
#include <string>
#include <system_error>
#include <windows.h>

namespace quorvell::presets::detail {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file) {
    throw IoError(win::pathUtf8(file), win::errorReason(GetLastError()));
}

} // namespace

PresetFileLock::PresetFileLock(const std::filesystem::path& file) {
    win::Handle mutex(CreateMutexW(nullptr, FALSE, win::lockName(L"presets", file).c_str()));
    if (!mutex.valid()) {
        fail(file);
    }
    const DWORD waited = WaitForSingleObject(mutex.get(), INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        fail(file);
    }
    native_ = reinterpret_cast<std::intptr_t>(mutex.release());
}

PresetFileLock::~PresetFileLock() {
    HANDLE mutex = reinterpret_cast<HANDLE>(native_);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

void replaceFile(const std::filesystem::path& file, std::string_view bytes,
                 const std::function<void(StoreStep)>& afterStep) {
    std::filesystem::path temp = file;
    temp += L".tmp-" + std::to_wstring(GetCurrentProcessId());
    {
        win::Handle out(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.valid()) {
            fail(file);
        }
        try {
            while (!bytes.empty()) {
                DWORD put = 0;
                const DWORD chunk =
                    static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
                if (!WriteFile(out.get(), bytes.data(), chunk, &put, nullptr)) {
                    fail(file);
                }
                bytes.remove_prefix(put);
            }
            if (afterStep) {
                afterStep(StoreStep::TempWritten);
            }
            if (!FlushFileBuffers(out.get())) {
                fail(file);
            }
            if (afterStep) {
                afterStep(StoreStep::TempFlushed);
            }
        } catch (...) {
            CloseHandle(out.release());
            DeleteFileW(temp.c_str());
            throw;
        }
    }
    if (!MoveFileExW(temp.c_str(), file.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temp.c_str());
        throw IoError(win::pathUtf8(file), win::errorReason(error));
    }
    if (afterStep) {
        afterStep(StoreStep::Replaced);
    }
}

} // namespace quorvell::presets::detail
