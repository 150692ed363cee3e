#include "base/io_error.h"
#include "base/windows_handle.h"
#include "base/windows_text.h"
#include "patching/map_io.h"

#define WIN32_LEAN_AND_MEAN
#include <algorithm>
#include <limits>
#include <utility>
#include <windows.h>

namespace quorvell::patching {

namespace {

// The game may hold its maps open while the tool runs, and the tool must not
// stand in the way of anyone else either: every open shares everything.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// One ReadFile/WriteFile moves at most a DWORD's worth.
constexpr std::size_t kMaxChunk = std::numeric_limits<DWORD>::max() / 2;

[[noreturn]] void fail(const std::filesystem::path& path, DWORD error) {
    throw IoError(win::pathUtf8(path), win::errorReason(error));
}

bool isVanished(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

HANDLE openExisting(const std::filesystem::path& path, DWORD access) {
    // OPEN_EXISTING: a map that is gone is never created again. Random
    // access: the walk reads the table in large blocks and stops where it
    // ends, and the cache's read-ahead would go on into the tail.
    return CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_RANDOM_ACCESS, nullptr);
}

// A folder cannot be opened as a file; say so instead of "Access is denied".
[[noreturn]] void failOpen(const std::filesystem::path& path, DWORD error) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw IoError(win::pathUtf8(path), "is a folder, not a file");
    }
    fail(path, error);
}

BY_HANDLE_FILE_INFORMATION identityOf(const std::filesystem::path& path, HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) {
        fail(path, GetLastError());
    }
    return info;
}

// Deleted while open: the name may linger until the last handle closes, but
// the file is gone as far as anyone opening it is concerned.
bool deletePending(HANDLE handle) {
    FILE_STANDARD_INFO info{};
    return GetFileInformationByHandleEx(handle, FileStandardInfo, &info, sizeof info) &&
           info.DeletePending;
}

std::uint64_t sizeOf(const std::filesystem::path& path, HANDLE handle) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size)) {
        fail(path, GetLastError());
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

bool sameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

} // namespace

struct MapIo::Impl {
    win::Handle reader;
    win::Handle writer;
    BY_HANDLE_FILE_INFORMATION identity{};
    std::uint64_t size = 0; // when opened
};

MapIo::MapIo(std::filesystem::path path) : path_(std::move(path)) {
    auto impl = std::make_unique<Impl>();
    win::Handle(openExisting(path_, GENERIC_READ)).swap(impl->reader);
    if (!impl->reader.valid()) {
        const DWORD error = GetLastError();
        if (isVanished(error)) {
            return; // vanished since it was listed
        }
        failOpen(path_, error);
    }
    // Names such as "con.ibt" open a device; a map is always a disk file.
    if (GetFileType(impl->reader.get()) != FILE_TYPE_DISK) {
        throw IoError(win::pathUtf8(path_), "not a regular file");
    }
    impl->identity = identityOf(path_, impl->reader.get());
    if ((impl->identity.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw IoError(win::pathUtf8(path_), "is a folder, not a file");
    }
    impl->size = sizeOf(path_, impl->reader.get());
    impl_ = std::move(impl);
}

MapIo::~MapIo() = default;

std::uint64_t MapIo::length() const noexcept {
    return impl_ ? impl_->size : 0;
}

FileIdentity MapIo::identity() const noexcept {
    if (!impl_) {
        return {};
    }
    return {impl_->identity.dwVolumeSerialNumber,
            (static_cast<std::uint64_t>(impl_->identity.nFileIndexHigh) << 32) |
                impl_->identity.nFileIndexLow};
}

std::uint64_t MapIo::hardLinks() const noexcept {
    return impl_ ? impl_->identity.nNumberOfLinks : 0;
}

std::optional<FileIdentity> currentIdentity(const std::filesystem::path& path) {
    // Opened for no access at all: asking who a file is needs no rights to it.
    win::Handle handle(CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) {
        const DWORD error = GetLastError();
        if (isVanished(error)) {
            return std::nullopt;
        }
        fail(path, error);
    }
    const BY_HANDLE_FILE_INFORMATION info = identityOf(path, handle.get());
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) |
                            info.nFileIndexLow};
}

bool MapIo::writable() const noexcept {
    return impl_ && impl_->writer.valid();
}

std::size_t MapIo::read(std::uint64_t offset, char* buffer, std::size_t size) {
    if (!impl_) {
        fail(path_, ERROR_FILE_NOT_FOUND);
    }
    std::size_t got = 0;
    while (got < size) {
        const auto chunk = static_cast<DWORD>(std::min(size - got, kMaxChunk));
        OVERLAPPED position = at(offset + got);
        DWORD n = 0;
        if (!ReadFile(impl_->reader.get(), buffer + got, chunk, &n, &position)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF) {
                break; // at or beyond the end
            }
            fail(path_, error);
        }
        if (n == 0) {
            break; // end of file
        }
        got += n;
    }
    return got;
}

void MapIo::write(std::uint64_t offset, std::string_view bytes) {
    if (!impl_) {
        fail(path_, ERROR_FILE_NOT_FOUND);
    }
    if (!impl_->writer.valid()) {
        // A second handle rather than read-write from the start: only maps
        // that really change need write access.
        win::Handle writer(openExisting(path_, GENERIC_WRITE));
        if (!writer.valid()) {
            const DWORD error = GetLastError();
            if (isVanished(error) || deletePending(impl_->reader.get())) {
                throw MapVanished(win::pathUtf8(path_), win::errorReason(ERROR_FILE_NOT_FOUND));
            }
            failOpen(path_, error);
        }
        if (!sameFile(identityOf(path_, writer.get()), impl_->identity)) {
            throw IoError(win::pathUtf8(path_), "the file was replaced while it was being patched");
        }
        if (deletePending(writer.get())) {
            throw MapVanished(win::pathUtf8(path_), win::errorReason(ERROR_FILE_NOT_FOUND));
        }
        impl_->writer.swap(writer);
    }
    // Cut short or lengthened by someone else: what the walk read no longer
    // describes the file, and a write could grow it again.
    const std::uint64_t now = sizeOf(path_, impl_->writer.get());
    if (now != impl_->size || offset + bytes.size() > now) {
        throw IoError(win::pathUtf8(path_), "the file changed while it was being patched");
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk = static_cast<DWORD>(std::min(bytes.size() - done, kMaxChunk));
        OVERLAPPED position = at(offset + done);
        DWORD n = 0;
        DWORD error = ERROR_SUCCESS;
        if (!WriteFile(impl_->writer.get(), bytes.data() + done, chunk, &n, &position)) {
            error = GetLastError();
        } else if (n == 0) {
            error = ERROR_WRITE_FAULT;
        }
        if (error != ERROR_SUCCESS) {
            const IoError cause(win::pathUtf8(path_), win::errorReason(error));
            if (done > 0) {
                throw WriteStopped(cause, done);
            }
            throw cause;
        }
        done += n;
    }
}

void MapIo::close() {
    if (!impl_ || !impl_->writer.valid()) {
        return;
    }
    const HANDLE writer = impl_->writer.release();
    if (!CloseHandle(writer)) {
        fail(path_, GetLastError());
    }
}

} // namespace quorvell::patching
