#pragma once

// The demo's texture files: small DDS pictures drawn here (bricks, boards,
// glass, slates, a street map), in the formats a texture pack holds, so the
// window's tooltips and preview have something to show.

#include <string>
#include <string_view>

namespace quorvell::tools {

// The DDS file for a demo texture of this name.
std::string demoTextureFile(std::string_view name);

} // namespace quorvell::tools
