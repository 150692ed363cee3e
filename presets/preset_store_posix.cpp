#include "base/io_error.h"
#include "base/path_text.h"
#include "presets/preset_store.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvell::presets::detail {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, int error) {
    throw IoError(pathText(file), systemReason(error));
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

void writeAll(const std::filesystem::path& file, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(file, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
}

} // namespace

// flock on the folder: the lock outlives the rename that replaces the file,
// which a lock on the file itself would not.
PresetFileLock::PresetFileLock(const std::filesystem::path& file) {
    const int fd = ::open(folderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        fail(file, errno);
    }
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int error = errno;
            ::close(fd);
            fail(file, error);
        }
    }
    native_ = fd;
}

PresetFileLock::~PresetFileLock() {
    ::close(static_cast<int>(native_));
}

void replaceFile(const std::filesystem::path& file, std::string_view bytes,
                 const std::function<void(StoreStep)>& afterStep) {
    const std::filesystem::path folder = folderOf(file);
    std::string temp = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        fail(file, errno);
    }
    try {
        struct stat old {};
        const mode_t mode = ::stat(file.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
        if (::fchmod(fd, mode) != 0) {
            fail(file, errno);
        }
        writeAll(file, fd, bytes);
        if (afterStep) {
            afterStep(StoreStep::TempWritten);
        }
        if (::fsync(fd) != 0) {
            fail(file, errno);
        }
        if (afterStep) {
            afterStep(StoreStep::TempFlushed);
        }
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail(file, error);
    }
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail(file, error);
    }
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    if (afterStep) {
        afterStep(StoreStep::Replaced);
    }
}

} // namespace quorvell::presets::detail
