#pragma once

#include <string>
#include <string_view>

namespace quorvell::cli {

// Text from the outside (texture, map and preset names, paths) as it may be
// shown on a terminal: control characters (C0, DEL, C1), bidirectional
// formatting characters and bytes that are not UTF-8 come out as escapes
// ("\x1b", "\u202e"), so a name cannot move the cursor, clear the screen,
// retitle the window or reorder what follows it.
std::string terminalText(std::string_view text);
// The same for a message of several lines: its line breaks stay.
std::string terminalLines(std::string_view text);

} // namespace quorvell::cli
