#include "base/text_file.h"

#include "base/io_error.h"
#include "base/path_text.h"

#include <algorithm>
#include <utility>

namespace quorvell {

TextFile::TextFile(std::filesystem::path path, std::intptr_t native, std::uint64_t size)
    : path_(std::move(path)), native_(native), size_(size) {}

TextFile::TextFile(TextFile&& other) noexcept
    : path_(std::move(other.path_)), native_(std::exchange(other.native_, kNone)),
      size_(other.size_), readSoFar_(other.readSoFar_) {}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
    if (this != &other) {
        if (native_ != kNone) {
            closeNative(native_);
        }
        path_ = std::move(other.path_);
        native_ = std::exchange(other.native_, kNone);
        size_ = other.size_;
        readSoFar_ = other.readSoFar_;
    }
    return *this;
}

TextFile::~TextFile() {
    if (native_ != kNone) {
        closeNative(native_);
    }
}

std::size_t TextFile::read(char* buffer, std::size_t capacity) {
    if (size_ > kTextFileCap) {
        throw IoError(pathText(path_), tooLargeReason());
    }
    const std::size_t got = readSome(buffer, capacity);
    readSoFar_ += got;
    if (readSoFar_ > kTextFileCap) {
        throw IoError(pathText(path_), tooLargeReason());
    }
    return got;
}

std::string TextFile::tooLargeReason() {
    return "is larger than " + std::to_string(kTextFileCap >> 20) +
           " MiB, more than Quorvell reads of a text file";
}

std::optional<std::string> readTextFile(const std::filesystem::path& path) {
    auto file = TextFile::open(path);
    if (!file) {
        return std::nullopt;
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(std::min(file->size(), kTextFileCap)));
    char buffer[64 * 1024];
    while (const std::size_t got = file->read(buffer, sizeof buffer)) {
        text.append(buffer, got);
    }
    return text;
}

} // namespace quorvell
