#include "base/text_file.h"

namespace quorvell {

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
