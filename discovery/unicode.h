#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvell::discovery::unicode {

// One character read from UTF-8. A byte that does not start a valid sequence
// is returned on its own as U+DC00 + byte, so odd file names still compare
// and round-trip instead of being dropped.
struct Decoded {
    char32_t code;
    std::size_t length; // bytes consumed, at least 1
};
Decoded decodeUtf8(std::string_view text, std::size_t pos);

void appendUtf8(std::string& out, char32_t code);

// UTF-16 (unpaired surrogates kept as their own code points) to UTF-8.
std::string utf16ToUtf8(std::u16string_view text);

} // namespace quorvell::discovery::unicode
