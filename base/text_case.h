#pragma once

// The program's two case rules, one table. They differ on purpose:
// - names (files, folders, registry keys and values) are matched the way
//   Windows matches them, so capitals of every script players name their files
//   in count: Latin-1, Latin Extended-A, Greek and Cyrillic;
// - the command line and preset names are lower-cased the way the game's own
//   tools did it, under the Windows-1252 code page: only that code page's
//   letters change, so "ŁÓDŹ" and "łódź" stay different presets there, as
//   they always were.

#include <string>
#include <string_view>

namespace quorvell::text_case {

// The lower-case form of one code point under the names rule.
char32_t lowerNameChar(char32_t code);

// Lower-cases UTF-8 text under the names rule. Other characters and stray
// bytes pass through unchanged.
std::string lowerName(std::string_view utf8);

// Equal after lower-casing under the names rule.
bool equalNames(std::string_view a, std::string_view b);

// Lower-cases UTF-8 text under the command-line rule: the capitals of
// Windows-1252 only. The byte length never changes, so character positions
// found in the lower-cased text hold in the original.
std::string lowerCommandLine(std::string_view utf8);

} // namespace quorvell::text_case
