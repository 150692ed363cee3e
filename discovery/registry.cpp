#include "discovery/registry.h"

#include "patching/ansi_text.h"

namespace quorvell::discovery {

std::string GetSettingString(const RegistrySource& hKey, std::string_view strPath,
                             std::string_view strValue, std::string_view Default) {
    const auto value = hKey.queryLocalMachine(strPath, strValue);
    if (!value || value->type != kRegSz) {
        return std::string(Default);
    }
    std::string_view text = value->data;
    if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    return ansi::toUtf8(text);
}

} // namespace quorvell::discovery
