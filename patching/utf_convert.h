#pragma once

// UTF-8 <-> UTF-16, shared by every platform's code page conversion.

#include <optional>
#include <string>
#include <string_view>

namespace quorvell::ansi::detail {

// nullopt for malformed UTF-8 (overlong forms, surrogates, truncation).
std::optional<std::u16string> utf16FromUtf8(std::string_view utf8);
// Malformed sequences become U+FFFD, one per bad byte.
std::u16string utf16FromUtf8Lossy(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string utf8FromUtf16(std::u16string_view utf16);

} // namespace quorvell::ansi::detail
