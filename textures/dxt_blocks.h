#pragma once

// DXT1/3/5 blocks to RGBA through libsquish, or nothing in a build without it.

#include "textures/dds_header.h"

#include <cstdint>

namespace quorvell::textures {

bool dxtDecoderBuilt();
// A whole level: blocks in rows, rgba width * height * 4.
void decodeDxtImage(Layout layout, const std::uint8_t* blocks, std::uint32_t width,
                    std::uint32_t height, std::uint8_t* rgba);
// One block to 16 pixels (64 bytes).
void decodeDxtBlock(Layout layout, const std::uint8_t* block, std::uint8_t* rgba);

} // namespace quorvell::textures
