#include "base/windows_text.h"
#include "presets/command_line.h"
#include "presets/windows_command_line.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace quorvell::presets {

std::string windowsArgumentText() {
    // The raw line, not argv: the cutting rules count its spaces and keep
    // its quotes, which the C runtime's splitting would lose.
    const wchar_t* raw = GetCommandLineW();
    return argumentTextFromRawCommandLine(win::utf8FromWide(raw ? raw : L""));
}

} // namespace quorvell::presets
