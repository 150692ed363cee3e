#include "tools/dds_file.h"

#include <algorithm>
#include <bit>
#include <vector>

#if QUORVELL_DXT_DECODER
#include <squish.h>
#endif

namespace quorvell::tools {

namespace {

struct Pixels {
    std::uint32_t flags = 0x40; // DDPF_RGB
    std::uint32_t bits = 0, red = 0, green = 0, blue = 0, alpha = 0;
};

void put(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

Pixels pixelsOf(DdsFormat format) {
    switch (format) {
    case DdsFormat::A8R8G8B8:
        return {0x41, 32, 0xff0000, 0xff00, 0xff, 0xff000000};
    case DdsFormat::X8R8G8B8:
        return {0x40, 32, 0xff0000, 0xff00, 0xff, 0};
    case DdsFormat::A8B8G8R8:
        return {0x41, 32, 0xff, 0xff00, 0xff0000, 0xff000000};
    case DdsFormat::R8G8B8:
        return {0x40, 24, 0xff0000, 0xff00, 0xff, 0};
    case DdsFormat::R5G6B5:
        return {0x40, 16, 0xf800, 0x7e0, 0x1f, 0};
    case DdsFormat::A1R5G5B5:
        return {0x41, 16, 0x7c00, 0x3e0, 0x1f, 0x8000};
    case DdsFormat::A4R4G4B4:
        return {0x41, 16, 0xf00, 0xf0, 0xf, 0xf000};
    case DdsFormat::L8:
        return {0x20000, 8, 0xff, 0, 0, 0};
    case DdsFormat::A8L8:
        return {0x20001, 16, 0xff, 0, 0, 0xff00};
    default:
        return {0x4}; // DDPF_FOURCC
    }
}

std::uint32_t code(const char* text) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(text[i]);
    }
    return value;
}

// FourCC and DXGI format of the compressed ones; block bytes; squish flag.
struct Blocks {
    std::uint32_t fourCc = 0, dxgi = 0, bytes = 0;
    int squish = 0;
};

Blocks blocksOf(DdsFormat format) {
#if QUORVELL_DXT_DECODER
    constexpr int dxt1 = squish::kDxt1, dxt3 = squish::kDxt3, dxt5 = squish::kDxt5;
#else
    constexpr int dxt1 = 0, dxt3 = 0, dxt5 = 0;
#endif
    switch (format) {
    case DdsFormat::Dxt1:
        return {code("DXT1"), 0, 8, dxt1};
    case DdsFormat::Dxt3:
        return {code("DXT3"), 0, 16, dxt3};
    case DdsFormat::Dxt5:
        return {code("DXT5"), 0, 16, dxt5};
    case DdsFormat::Bc1Dx10:
        return {code("DX10"), 71, 8, dxt1};
    case DdsFormat::Bc3Dx10:
        return {code("DX10"), 77, 16, dxt5};
    case DdsFormat::Bc4:
        return {code("ATI1"), 0, 8, 0};
    case DdsFormat::Bc7:
        return {code("DX10"), 98, 16, 0};
    default:
        return {};
    }
}

std::uint32_t channel(std::uint8_t value, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const std::uint32_t top = mask >> shift;
    return ((value * top + 127) / 255) << shift;
}

void encodeLevel(std::string& out, DdsFormat format, std::uint32_t level, std::uint32_t width,
                 std::uint32_t height, const PixelColour& colour) {
    const Blocks blocks = blocksOf(format);
    const Pixels pixels = pixelsOf(format);
    if (!colour) {
        const std::size_t size =
            blocks.bytes != 0 ? std::size_t{(width + 3) / 4} * ((height + 3) / 4) * blocks.bytes
                              : std::size_t{width} * height * (pixels.bits / 8);
        out.append(size, '\0');
        return;
    }
    if (blocks.bytes != 0) {
        const std::size_t size = std::size_t{(width + 3) / 4} * ((height + 3) / 4) * blocks.bytes;
        std::string data(size, '\0');
#if QUORVELL_DXT_DECODER
        if (blocks.squish != 0) {
            std::vector<std::uint8_t> rgba(std::size_t{width} * height * 4);
            for (std::uint32_t y = 0; y < height; ++y) {
                for (std::uint32_t x = 0; x < width; ++x) {
                    const Rgba c = colour(level, x, y);
                    std::copy(c.begin(), c.end(), &rgba[(std::size_t{y} * width + x) * 4]);
                }
            }
            squish::CompressImage(rgba.data(), static_cast<int>(width), static_cast<int>(height),
                                  data.data(), blocks.squish | squish::kColourRangeFit);
        }
#endif
        out += data;
        return;
    }
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const Rgba c = colour(level, x, y);
            const std::uint32_t value = channel(c[0], pixels.red) | channel(c[1], pixels.green) |
                                        channel(c[2], pixels.blue) | channel(c[3], pixels.alpha);
            for (std::uint32_t i = 0; i < pixels.bits / 8; ++i) {
                out += static_cast<char>((value >> (8 * i)) & 0xff);
            }
        }
    }
}

} // namespace

std::string ddsFile(DdsFormat format, std::uint32_t width, std::uint32_t height,
                    std::uint32_t mipLevels, const PixelColour& colour) {
    const Pixels pixels = pixelsOf(format);
    const Blocks blocks = blocksOf(format);
    std::string out = "DDS ";
    put(out, 124);
    put(out, 0x1007 | (mipLevels > 1 ? 0x20000u : 0u));
    put(out, height);
    put(out, width);
    put(out, 0); // pitch or linear size: readers work it out
    put(out, 0); // depth
    put(out, mipLevels);
    for (int i = 0; i < 11; ++i) {
        put(out, 0);
    }
    put(out, 32);
    put(out, pixels.flags);
    put(out, blocks.fourCc);
    for (std::uint32_t mask : {pixels.bits, pixels.red, pixels.green, pixels.blue, pixels.alpha}) {
        put(out, mask);
    }
    put(out, 0x1000 | (mipLevels > 1 ? 0x400008u : 0u));
    for (int i = 0; i < 4; ++i) {
        put(out, 0);
    }
    if (blocks.dxgi != 0) {
        for (std::uint32_t value : {blocks.dxgi, 3u, 0u, 1u, 0u}) {
            put(out, value);
        }
    }
    for (std::uint32_t level = 0; level < mipLevels; ++level) {
        encodeLevel(out, format, level, std::max(1u, width >> level), std::max(1u, height >> level),
                    colour);
    }
    return out;
}

} // namespace quorvell::tools
