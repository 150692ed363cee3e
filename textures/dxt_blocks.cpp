#include "textures/dxt_blocks.h"

#if QUORVELL_DXT_DECODER
#include <algorithm>
#include <array>
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

// Block by block: squish::DecompressImage runs an OpenMP team, whose
// spinning threads would take the processor from the window.
void decodeDxtImage(Layout layout, const std::uint8_t* blocks, std::uint32_t width,
                    std::uint32_t height, std::uint8_t* rgba) {
    const int flags = squishFlags(layout);
    const std::size_t blockBytes = layout == Layout::Dxt1 ? 8 : 16;
    std::array<std::uint8_t, 64> block{};
    for (std::uint32_t y = 0; y < height; y += 4) {
        for (std::uint32_t x = 0; x < width; x += 4, blocks += blockBytes) {
            squish::Decompress(block.data(), blocks, flags);
            for (std::uint32_t row = 0; row < 4 && y + row < height; ++row) {
                const std::uint32_t columns = std::min<std::uint32_t>(4, width - x);
                std::copy_n(&block[row * 16], columns * 4,
                            &rgba[(std::size_t{y + row} * width + x) * 4]);
            }
        }
    }
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
