#include "base/io_error.h"
#include "base/path_text.h"
#include "base/text_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvell {

namespace {

std::string notAFileReason(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "is a folder, not a file";
    }
    if (S_ISFIFO(mode)) {
        return "is a named pipe, not a file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "is a device, not a file";
    }
    return "is not a regular file";
}

} // namespace

std::optional<TextFile> TextFile::open(const std::filesystem::path& path) {
    // O_NONBLOCK: opening a named pipe for reading returns at once instead of
    // waiting for a writer; the type is checked on what was opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return std::nullopt;
        }
        throw IoError(pathText(path), systemReason(errno));
    }
    TextFile file(path, fd, 0);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        throw IoError(pathText(path), systemReason(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        throw IoError(pathText(path), notAFileReason(st.st_mode));
    }
    file.size_ = static_cast<std::uint64_t>(st.st_size);
    return file;
}

std::size_t TextFile::readSome(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(native_), buffer, capacity);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw IoError(pathText(path_), systemReason(errno));
        }
    }
}

void TextFile::closeNative(std::intptr_t native) {
    ::close(static_cast<int>(native));
}

} // namespace quorvell
