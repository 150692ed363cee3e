#pragma once

// The text that scrolls through the window title, one character per tick.

#include <optional>
#include <string>

namespace quorvell::app {

// The text the ticker starts with, run once after start-up.
std::string startupTickerText();

// The text it repeats afterwards, carrying the number of custom textures.
std::string statusTickerText(int textureCount);

// One tick: a text of four or more characters loses its first one and the
// result is the new title; a shorter text is refilled with the status text
// and the title stays as it was (nullopt).
std::optional<std::string> tickerStep(std::string& tickerText, int textureCount);

} // namespace quorvell::app
