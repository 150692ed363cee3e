#include "base/io_error.h"
#include "base/path_text.h"
#include "base/text_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvell {

struct TextFile::Handle {
    explicit Handle(int descriptor) : fd(descriptor) {}
    ~Handle() { ::close(fd); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    int fd;
};

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
    auto handle = std::make_unique<Handle>(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        throw IoError(pathText(path), systemReason(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        throw IoError(pathText(path), notAFileReason(st.st_mode));
    }
    return TextFile(path, std::move(handle), static_cast<std::uint64_t>(st.st_size));
}

std::size_t TextFile::read(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t got = ::read(handle_->fd, buffer, capacity);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw IoError(pathText(path_), systemReason(errno));
        }
    }
}

TextFile::TextFile(std::filesystem::path path, std::unique_ptr<Handle> handle, std::uint64_t size)
    : path_(std::move(path)), handle_(std::move(handle)), size_(size) {}
TextFile::TextFile(TextFile&&) noexcept = default;
TextFile& TextFile::operator=(TextFile&&) noexcept = default;
TextFile::~TextFile() = default;

} // namespace quorvell
