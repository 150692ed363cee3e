#include "patching/reference_edit.h"

#include "patching/map_file.h"

namespace quorvell::patching {

std::optional<std::string> switchOnBytes(std::string_view base, std::string_view window) {
    if (base.size() > kMaxSwitchOnBase) {
        return std::nullopt;
    }
    std::string bytes(base);
    bytes += kOverriddenSuffix;
    if (bytes.size() < window.size() && window[bytes.size()] != '\0') {
        bytes.push_back('\0');
    }
    return bytes;
}

std::string switchOffBytes(std::string_view base) {
    std::string bytes(base);
    bytes.append(kOverriddenSuffix.size(), '\0');
    return bytes;
}

} // namespace quorvell::patching
