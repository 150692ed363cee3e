#pragma once

// UTF-8 <-> UTF-16, shared by every platform's code page conversion.

#include <optional>
#include <string>
#include <string_view>

namespace quorvell::ansi::detail {

// Decodes one code point at text[i] and moves i past it; nullopt (with i
// moved past one byte) for a malformed sequence.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& i);
// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t cp);

// nullopt for malformed UTF-8 (overlong forms, surrogates, truncation).
std::optional<std::u16string> utf16FromUtf8(std::string_view utf8);
// Malformed sequences become U+FFFD, one per bad byte.
std::u16string utf16FromUtf8Lossy(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string utf8FromUtf16(std::u16string_view utf16);

} // namespace quorvell::ansi::detail
