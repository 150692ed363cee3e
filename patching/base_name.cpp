#include "patching/map_file.h"

namespace quorvell::patching {

std::string baseNameOf(std::string_view rowText) {
    // Characters, not bytes: "Mür.dds" loses ".dds", never half of the 'ü'.
    std::size_t end = rowText.size();
    for (int dropped = 0; dropped < 4; ++dropped) {
        if (end == 0) {
            return {};
        }
        --end;
        while (end > 0 && (static_cast<unsigned char>(rowText[end]) & 0xC0) == 0x80) {
            --end;
        }
    }
    return std::string(rowText.substr(0, end));
}

std::optional<std::string> ansiBaseNameOf(std::string_view rowText) {
    auto base = ansi::fromUtf8(baseNameOf(rowText));
    if (!base || base->empty()) {
        return std::nullopt;
    }
    return base;
}

} // namespace quorvell::patching
