#include "base/io_error.h"
#include "base/text_file.h"
#include "base/windows_handle.h"
#include "base/windows_text.h"

#include <algorithm>

namespace quorvell {

std::optional<TextFile> TextFile::open(const std::filesystem::path& path) {
    // A folder is told apart before opening: CreateFileW refuses one with
    // "access denied", which would name the wrong reason.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw IoError(win::pathUtf8(path), "is a folder, not a file");
    }
    win::Handle handle(CreateFileW(path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return std::nullopt;
        }
        throw IoError(win::pathUtf8(path), win::errorReason(error));
    }
    // Names such as "con" or "\\.\pipe\x" open a device or a pipe.
    if (GetFileType(handle.get()) != FILE_TYPE_DISK) {
        throw IoError(win::pathUtf8(path), "is a device or a pipe, not a file");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle.get(), &size)) {
        throw IoError(win::pathUtf8(path), win::errorReason(GetLastError()));
    }
    return TextFile(path, reinterpret_cast<std::intptr_t>(handle.release()),
                    static_cast<std::uint64_t>(size.QuadPart));
}

std::size_t TextFile::readSome(char* buffer, std::size_t capacity) {
    DWORD got = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(capacity, 1u << 30));
    if (!ReadFile(reinterpret_cast<HANDLE>(native_), buffer, chunk, &got, nullptr)) {
        throw IoError(win::pathUtf8(path_), win::errorReason(GetLastError()));
    }
    return got;
}

void TextFile::closeNative(std::intptr_t native) {
    CloseHandle(reinterpret_cast<HANDLE>(native));
}

} // namespace quorvell
