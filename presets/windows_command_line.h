#pragma once

#include <string>

namespace quorvell::presets {

// This process's argument text on Windows: its raw command line
// (GetCommandLineW, as UTF-8) after the program's own name, spaces and quotes
// untouched. Windows only.
std::string windowsArgumentText();

} // namespace quorvell::presets
