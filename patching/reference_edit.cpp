#include "patching/reference_edit.h"

#include "patching/map_file.h"
#include "patching/record_walk.h"

#include <stdexcept>

namespace quorvell::patching {

static_assert(NameBytes::kCapacity == kNameWindow);

void NameBytes::append(std::string_view bytes) {
    if (bytes.size() > kCapacity - size_) {
        throw std::logic_error("name bytes beyond the name window");
    }
    bytes.copy(bytes_.data() + size_, bytes.size());
    size_ += bytes.size();
}

std::optional<NameBytes> switchOnBytes(std::string_view base, std::string_view window) {
    if (base.size() > kMaxSwitchOnBase) {
        return std::nullopt;
    }
    NameBytes bytes(base);
    bytes.append(kOverriddenSuffix);
    if (bytes.size() < window.size() && window[bytes.size()] != '\0') {
        bytes.append(std::string_view("\0", 1));
    }
    return bytes;
}

NameBytes switchOffBytes(std::string_view base) {
    NameBytes bytes(base);
    bytes.append(std::string_view("\0\0\0\0\0\0\0\0\0\0\0\0", kOverriddenSuffix.size()));
    return bytes;
}

} // namespace quorvell::patching
