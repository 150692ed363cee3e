#include "app/argument_text.h"
#include "patching/utf_convert.h"
#include "presets/command_line.h"

#include <windows.h>

namespace quorvell::app {

std::string processArgumentText(int, char**) {
    const wchar_t* raw = GetCommandLineW();
    if (raw == nullptr) {
        return {};
    }
    const std::u16string wide(reinterpret_cast<const char16_t*>(raw));
    return presets::argumentTextFromRawCommandLine(ansi::detail::utf8FromUtf16(wide));
}

} // namespace quorvell::app
