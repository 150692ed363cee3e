#pragma once

// DDS files made from a colour function, in the formats the texture reader
// knows (and a few it only names), for the demo install and the tests. DXT
// levels are compressed with libsquish where the build has it.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace quorvell::tools {

enum class DdsFormat {
    Dxt1,
    Dxt3,
    Dxt5,
    Bc1Dx10,
    Bc3Dx10,
    A8R8G8B8,
    X8R8G8B8,
    A8B8G8R8,
    R8G8B8,
    R5G6B5,
    A1R5G5B5,
    A4R4G4B4,
    L8,
    A8L8,
    Bc4, // named only
    Bc7, // named only
};

using Rgba = std::array<std::uint8_t, 4>;
// The colour of pixel (x, y) of mip level `level`.
using PixelColour = std::function<Rgba(std::uint32_t level, std::uint32_t x, std::uint32_t y)>;

// The whole file: header, then each level from the top down (zero bytes
// when colour is empty).
std::string ddsFile(DdsFormat format, std::uint32_t width, std::uint32_t height,
                    std::uint32_t mipLevels, const PixelColour& colour);

} // namespace quorvell::tools
