#pragma once

// The tests build their maps with the same writer as the demo install.
#include "tools/map_builder.h"

namespace quorvell::testing {

using tools::MapBuilder;
using tools::mapOfTextures;
using tools::mapSignature;

} // namespace quorvell::testing
