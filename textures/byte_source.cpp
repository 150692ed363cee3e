#include "textures/byte_source.h"

#include "base/io_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quorvell::textures {

bool MemorySource::read(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > bytes_.size() || out.size() > bytes_.size() - offset) {
        return false;
    }
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    bytesRead_ += out.size();
    return true;
}

FileSource::FileSource(const std::filesystem::path& path) {
    // The kind is asked first: opening a FIFO would wait for a writer.
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        problem_ = "the file is gone";
        return;
    }
    if (error) {
        problem_ = error.message();
        return;
    }
    if (status.type() == std::filesystem::file_type::directory) {
        problem_ = "a folder, not a file";
        return;
    }
    if (status.type() != std::filesystem::file_type::regular) {
        problem_ = "not a regular file";
        return;
    }
    // Unbuffered: the reader asks for exactly the bytes it needs.
    file_.rdbuf()->pubsetbuf(nullptr, 0);
    errno = 0;
    file_.open(path, std::ios::binary);
    if (!file_) {
        problem_ = errno == ENOENT ? "the file is gone"
                   : errno != 0    ? systemReason(errno)
                                   : "cannot be opened";
        return;
    }
    file_.seekg(0, std::ios::end);
    const auto end = file_.tellg();
    if (end < 0) {
        problem_ = "cannot be read";
        return;
    }
    size_ = static_cast<std::uint64_t>(end);
}

bool FileSource::read(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (!problem_.empty() || offset > size_ || out.size() > size_ - offset) {
        return false;
    }
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(offset));
    file_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    const auto got = static_cast<std::uint64_t>(std::max<std::streamsize>(0, file_.gcount()));
    bytesRead_ += got;
    return got == out.size();
}

} // namespace quorvell::textures
