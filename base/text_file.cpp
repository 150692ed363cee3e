#include "base/text_file.h"

#include <utility>

namespace quorvell {

TextFile::TextFile(std::filesystem::path path, std::intptr_t native, std::uint64_t size)
    : path_(std::move(path)), native_(native), size_(size) {}

TextFile::TextFile(TextFile&& other) noexcept
    : path_(std::move(other.path_)), native_(std::exchange(other.native_, kNone)),
      size_(other.size_) {}

TextFile& TextFile::operator=(TextFile&& other) noexcept {
    if (this != &other) {
        if (native_ != kNone) {
            closeNative(native_);
        }
        path_ = std::move(other.path_);
        native_ = std::exchange(other.native_, kNone);
        size_ = other.size_;
    }
    return *this;
}

TextFile::~TextFile() {
    if (native_ != kNone) {
        closeNative(native_);
    }
}

std::optional<std::string> readTextFile(const std::filesystem::path& path) {
    auto file = TextFile::open(path);
    if (!file) {
        return std::nullopt;
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(file->size()));
    char buffer[64 * 1024];
    while (const std::size_t got = file->read(buffer, sizeof buffer)) {
        text.append(buffer, got);
    }
    return text;
}

} // namespace quorvell
