#pragma once

// Wine registry files (system.reg) as Wine writes them, for the demo install
// and the tests: one writer, so both look like what players' prefixes hold.

#include <string>
#include <string_view>

namespace quorvell::tools {

// The game's key with the given value lines, under the 32-bit view (where
// the game's 32-bit installer writes) or the native one.
std::string wineGameKey(std::string_view valueLines, bool wow64 = true);

// A whole system.reg: Wine's header, one unrelated key, then body.
std::string wineSystemReg(std::string_view body);

// A system.reg whose ION_ROOT names gameRoot (a Windows path).
std::string wineSystemRegWithGameRoot(std::string_view gameRoot);

} // namespace quorvell::tools
