#pragma once

// The code-page half of ansi_text: one implementation per platform
// (ansi_text_posix.cpp: Windows-1252; ansi_text_win.cpp: the system's ANSI
// code page). ansi_text_common.cpp builds the public functions on these.

#include <optional>
#include <string>
#include <string_view>

namespace quorvell::ansi::detail {

// UTF-16 to ANSI bytes. When lossy is false, nullopt as soon as a character
// has no ANSI form (no best-fit substitutes); when lossy is true each such
// character becomes '?'. Unpaired surrogates have no ANSI form.
std::optional<std::string> ansiFromUtf16(std::u16string_view text, bool lossy);

// ANSI bytes to UTF-16; every byte has a meaning, so nothing is lost and the
// result converts back to the same bytes.
std::u16string utf16FromAnsi(std::string_view ansi);

} // namespace quorvell::ansi::detail
