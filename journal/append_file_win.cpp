#include "base/io_error.h"
#include "base/windows_handle.h"
#include "base/windows_text.h"
#include "journal/append_file.h"

#include <system_error>

namespace quorvell::journal {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, DWORD error) {
    throw IoError(win::pathUtf8(file), win::errorReason(error));
}

void makeFolder(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) {
        throw IoError(win::pathUtf8(file.parent_path()), error.message());
    }
}

void writeAll(const std::filesystem::path& file, HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk =
            bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) {
            fail(file, GetLastError());
        }
        bytes.remove_prefix(written);
    }
}

HANDLE openFile(const std::filesystem::path& file, DWORD disposition) {
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        fail(file, GetLastError());
    }
    return handle;
}

} // namespace

AppendFile::AppendFile(const std::filesystem::path& file, std::uint64_t keep) : file_(file) {
    makeFolder(file);
    win::OwnedHandle<CloseHandle> handle(openFile(file, OPEN_ALWAYS));
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(keep);
    if (!SetFilePointerEx(handle.get(), at, nullptr, FILE_BEGIN) || !SetEndOfFile(handle.get())) {
        fail(file, GetLastError());
    }
    native_ = reinterpret_cast<std::intptr_t>(handle.release());
}

AppendFile::~AppendFile() {
    CloseHandle(reinterpret_cast<HANDLE>(native_));
}

void AppendFile::append(std::string_view bytes) {
    writeAll(file_, reinterpret_cast<HANDLE>(native_), bytes);
}

void AppendFile::sync() {
    if (!FlushFileBuffers(reinterpret_cast<HANDLE>(native_))) {
        fail(file_, GetLastError());
    }
}

void replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    makeFolder(file);
    std::filesystem::path temporary = file;
    temporary += L".new";
    {
        win::OwnedHandle<CloseHandle> handle(openFile(temporary, CREATE_ALWAYS));
        writeAll(temporary, handle.get(), bytes);
        if (!FlushFileBuffers(handle.get())) {
            fail(temporary, GetLastError());
        }
    }
    if (!MoveFileExW(temporary.c_str(), file.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        fail(file, error);
    }
}

} // namespace quorvell::journal
