#pragma once

// The tests build their maps with the same writer as the demo install.
#include "tools/map_builder.h"

#include <string>

namespace quorvell::testing {

using tools::MapBuilder;
using tools::mapOfTextures;
using tools::mapSignature;

// The text of record k's name in map bytes: up to its first NUL.
inline std::string nameAt(const std::string& map, std::size_t k) {
    const std::string window = map.substr(MapBuilder::nameOffset(k), 64);
    return window.substr(0, window.find('\0'));
}

} // namespace quorvell::testing
