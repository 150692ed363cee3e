#include "base/io_error.h"
#include "base/path_text.h"
#include "journal/append_file.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace quorvell::journal {

namespace {

[[noreturn]] void fail(const std::filesystem::path& file, int error) {
    throw IoError(pathText(file), systemReason(error));
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void writeAll(const std::filesystem::path& file, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            fail(file, n < 0 ? errno : ENOSPC);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void makeFolder(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error) {
        throw IoError(pathText(file.parent_path()), error.message());
    }
}

} // namespace

AppendFile::AppendFile(const std::filesystem::path& file, std::uint64_t keep) : file_(file) {
    makeFolder(file);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        fail(file, errno);
    }
    native_ = fd;
    if (::ftruncate(fd, static_cast<off_t>(keep)) != 0 ||
        ::lseek(fd, static_cast<off_t>(keep), SEEK_SET) < 0) {
        const int error = errno;
        ::close(fd);
        fail(file, error);
    }
    if (keep == 0) {
        syncFolder(file.parent_path());
    }
}

AppendFile::~AppendFile() {
    ::close(static_cast<int>(native_));
}

void AppendFile::append(std::string_view bytes) {
    writeAll(file_, static_cast<int>(native_), bytes);
}

void AppendFile::sync() {
    if (::fsync(static_cast<int>(native_)) != 0) {
        fail(file_, errno);
    }
}

void replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    makeFolder(file);
    std::filesystem::path temporary = file;
    temporary += ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        fail(temporary, errno);
    }
    try {
        writeAll(temporary, fd, bytes);
        if (::fsync(fd) != 0) {
            fail(temporary, errno);
        }
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    ::close(fd);
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(file, error);
    }
    syncFolder(file.parent_path());
}

} // namespace quorvell::journal
