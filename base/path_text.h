#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvell {

// Paths hold the platform's own text (wide on Windows); the program's text is
// UTF-8. These convert at the boundary.
inline std::string pathText(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace quorvell
