#include "discovery/registry.h"

#include "base/ansi_text.h"

namespace quorvell::discovery {

std::string readRegistryString(const RegistrySource& source, std::string_view keyPath,
                               std::string_view valueName, std::string_view fallback) {
    const auto value = source.queryLocalMachine(keyPath, valueName);
    if (!value || value->type != kRegSz) {
        return std::string(fallback);
    }
    std::string_view text = value->data;
    if (const auto nul = text.find('\0'); nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    return ansi::toUtf8(text);
}

} // namespace quorvell::discovery
