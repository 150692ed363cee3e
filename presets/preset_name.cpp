#include "presets/preset_file.h"

namespace quorvell::presets {

std::optional<std::string_view> presetNameOf(std::string_view line) {
    const auto brace = line.find('{');
    if (brace == std::string_view::npos) {
        return std::nullopt;
    }
    return line.substr(0, brace);
}

} // namespace quorvell::presets
