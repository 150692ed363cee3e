#pragma once

#include <string>
#include <string_view>

namespace quorvell::discovery {

// Lower-cases UTF-8 text: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic capitals, which covers the names players give their files. Other
// characters and stray bytes pass through unchanged.
char32_t lowerCase(char32_t code);
std::string lowerCase(std::string_view utf8);

// Equal after lower-casing (file, folder, registry key and value names).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace quorvell::discovery
