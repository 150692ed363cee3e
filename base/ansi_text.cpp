#include "base/ansi_text.h"

#include "base/ansi_platform.h"
#include "base/utf8.h"

namespace quorvell::ansi {

std::optional<std::string> fromUtf8(std::string_view utf8) {
    const auto utf16 = utf8::toUtf16(utf8);
    if (!utf16) {
        return std::nullopt;
    }
    return detail::ansiFromUtf16(*utf16, false);
}

std::string fromUtf8Lossy(std::string_view utf8) {
    return detail::ansiFromUtf16(utf8::toUtf16Lossy(utf8), true).value_or(std::string());
}

std::string fromUtf16Lossy(std::u16string_view utf16) {
    return detail::ansiFromUtf16(utf16, true).value_or(std::string());
}

std::string toUtf8(std::string_view ansi) {
    return utf8::fromUtf16(detail::utf16FromAnsi(ansi));
}

} // namespace quorvell::ansi
