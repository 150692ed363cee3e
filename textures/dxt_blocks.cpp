#include "textures/dxt_blocks.h"

#if QUORVELL_DXT_DECODER
#include <squish.h>
#endif

namespace quorvell::textures {

#if QUORVELL_DXT_DECODER

namespace {

// Only the three formats libsquish decodes right: never BC4 or BC5.
int squishFlags(Layout layout) {
    switch (layout) {
    case Layout::Dxt1:
        return squish::kDxt1;
    case Layout::Dxt3:
        return squish::kDxt3;
    default:
        return squish::kDxt5;
    }
}

} // namespace

bool dxtDecoderBuilt() {
    return true;
}

void decodeDxtImage(Layout layout, const std::uint8_t* blocks, std::uint32_t width,
                    std::uint32_t height, std::uint8_t* rgba) {
    squish::DecompressImage(rgba, static_cast<int>(width), static_cast<int>(height), blocks,
                            squishFlags(layout));
}

void decodeDxtBlock(Layout layout, const std::uint8_t* block, std::uint8_t* rgba) {
    squish::Decompress(rgba, block, squishFlags(layout));
}

#else

bool dxtDecoderBuilt() {
    return false;
}
void decodeDxtImage(Layout, const std::uint8_t*, std::uint32_t, std::uint32_t, std::uint8_t*) {}
void decodeDxtBlock(Layout, const std::uint8_t*, std::uint8_t*) {}

#endif

} // namespace quorvell::textures
