#include "discovery/unicode.h"

#include "patching/utf_convert.h"

namespace quorvell::discovery::unicode {

namespace {

constexpr char32_t kRawByteBase = 0xDC00;

} // namespace

Decoded decodeUtf8(std::string_view text, std::size_t pos) {
    std::size_t next = pos;
    if (const auto code = ansi::detail::decodeUtf8(text, next)) {
        return {*code, next - pos};
    }
    return {kRawByteBase + static_cast<unsigned char>(text[pos]), 1};
}

void appendUtf8(std::string& out, char32_t code) { ansi::detail::appendUtf8(out, code); }

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        }
        appendUtf8(out, code);
    }
    return out;
}

} // namespace quorvell::discovery::unicode
