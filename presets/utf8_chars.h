#pragma once

#include <cstddef>
#include <string_view>

// Character counting on UTF-8 text, for the rules that count characters of
// the command line rather than bytes.
namespace quorvell::presets::utf8 {

// Number of characters (code points) in text.
std::size_t charCount(std::string_view text);

// The first count characters of text; all of it when it has fewer.
std::string_view leftChars(std::string_view text, std::size_t count);

} // namespace quorvell::presets::utf8
