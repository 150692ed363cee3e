#include "textures/dds_header.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>

namespace quorvell::textures {

namespace {

constexpr std::uint32_t kAlphaPixels = 0x1;
constexpr std::uint32_t kAlphaOnly = 0x2;
constexpr std::uint32_t kFourCc = 0x4;
constexpr std::uint32_t kRgb = 0x40;
constexpr std::uint32_t kLuminance = 0x20000;
constexpr std::uint32_t kVolume = 0x200000;

std::uint32_t word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

constexpr std::uint32_t fourCc(const char (&text)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

struct Named {
    std::uint32_t code;
    const char* name;
    Layout layout;
};

// Compressed and other formats named by their FourCC (or a D3DFORMAT number).
constexpr std::array kFourCcFormats = {
    Named{fourCc("DXT1"), "DXT1", Layout::Dxt1},
    Named{fourCc("DXT2"), "DXT2", Layout::Dxt3},
    Named{fourCc("DXT3"), "DXT3", Layout::Dxt3},
    Named{fourCc("DXT4"), "DXT4", Layout::Dxt5},
    Named{fourCc("DXT5"), "DXT5", Layout::Dxt5},
    Named{fourCc("ATI1"), "BC4", Layout::None},
    Named{fourCc("BC4U"), "BC4", Layout::None},
    Named{fourCc("BC4S"), "BC4", Layout::None},
    Named{fourCc("ATI2"), "BC5", Layout::None},
    Named{fourCc("BC5U"), "BC5", Layout::None},
    Named{fourCc("BC5S"), "BC5", Layout::None},
    Named{fourCc("RGBG"), "R8G8_B8G8", Layout::None},
    Named{fourCc("GRGB"), "G8R8_G8B8", Layout::None},
    Named{fourCc("UYVY"), "UYVY", Layout::None},
    Named{fourCc("YUY2"), "YUY2", Layout::None},
    Named{36, "A16B16G16R16", Layout::None},
    Named{110, "Q16W16V16U16", Layout::None},
    Named{111, "R16F", Layout::None},
    Named{112, "G16R16F", Layout::None},
    Named{113, "A16B16G16R16F", Layout::None},
    Named{114, "R32F", Layout::None},
    Named{115, "G32R32F", Layout::None},
    Named{116, "A32B32G32R32F", Layout::None},
};

struct NamedMasks {
    PixelMasks masks;
    const char* name;
};

constexpr std::array kMaskFormats = {
    NamedMasks{{32, 0xff0000, 0xff00, 0xff, 0xff000000}, "A8R8G8B8"},
    NamedMasks{{32, 0xff0000, 0xff00, 0xff, 0}, "X8R8G8B8"},
    NamedMasks{{32, 0xff, 0xff00, 0xff0000, 0xff000000}, "A8B8G8R8"},
    NamedMasks{{32, 0xff, 0xff00, 0xff0000, 0}, "X8B8G8R8"},
    NamedMasks{{24, 0xff0000, 0xff00, 0xff, 0}, "R8G8B8"},
    NamedMasks{{16, 0xf800, 0x7e0, 0x1f, 0}, "R5G6B5"},
    NamedMasks{{16, 0x7c00, 0x3e0, 0x1f, 0x8000}, "A1R5G5B5"},
    NamedMasks{{16, 0x7c00, 0x3e0, 0x1f, 0}, "X1R5G5B5"},
    NamedMasks{{16, 0xf00, 0xf0, 0xf, 0xf000}, "A4R4G4B4"},
    NamedMasks{{8, 0xff, 0, 0, 0, true}, "L8"},
    NamedMasks{{16, 0xff, 0, 0, 0xff00, true}, "A8L8"},
    NamedMasks{{8, 0, 0, 0, 0xff}, "A8"},
};

// DXGI formats of the DX10 header: the ones shown, and names for the others.
struct Dxgi {
    std::uint32_t first, last;
    const char* name;
    Layout layout;
    PixelMasks masks = {};
};

constexpr std::array kDxgiFormats = {
    Dxgi{2, 2, "R32G32B32A32_FLOAT", Layout::None},
    Dxgi{10, 10, "R16G16B16A16_FLOAT", Layout::None},
    Dxgi{11, 11, "R16G16B16A16_UNORM", Layout::None},
    Dxgi{24, 24, "R10G10B10A2_UNORM", Layout::None},
    Dxgi{27, 29, "R8G8B8A8", Layout::Masks, {32, 0xff, 0xff00, 0xff0000, 0xff000000}},
    Dxgi{70, 72, "BC1", Layout::Dxt1},
    Dxgi{73, 75, "BC2", Layout::Dxt3},
    Dxgi{76, 78, "BC3", Layout::Dxt5},
    Dxgi{79, 81, "BC4", Layout::None},
    Dxgi{82, 84, "BC5", Layout::None},
    Dxgi{85, 85, "B5G6R5", Layout::Masks, {16, 0xf800, 0x7e0, 0x1f, 0}},
    Dxgi{86, 86, "B5G5R5A1", Layout::Masks, {16, 0x7c00, 0x3e0, 0x1f, 0x8000}},
    Dxgi{87, 87, "B8G8R8A8", Layout::Masks, {32, 0xff0000, 0xff00, 0xff, 0xff000000}},
    Dxgi{88, 88, "B8G8R8X8", Layout::Masks, {32, 0xff0000, 0xff00, 0xff, 0}},
    Dxgi{90, 91, "B8G8R8A8", Layout::Masks, {32, 0xff0000, 0xff00, 0xff, 0xff000000}},
    Dxgi{92, 93, "B8G8R8X8", Layout::Masks, {32, 0xff0000, 0xff00, 0xff, 0}},
    Dxgi{94, 96, "BC6H", Layout::None},
    Dxgi{97, 99, "BC7", Layout::None},
    Dxgi{115, 115, "B4G4R4A4", Layout::Masks, {16, 0xf00, 0xf0, 0xf, 0xf000}},
};

std::string fourCcText(std::uint32_t code) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        const auto c = static_cast<char>((code >> (8 * i)) & 0xff);
        text += (c >= 0x20 && c < 0x7f) ? c : '?';
    }
    return text;
}

bool sameMasks(const PixelMasks& a, const PixelMasks& b) {
    return a.bitsPerPixel == b.bitsPerPixel && a.red == b.red && a.green == b.green &&
           a.blue == b.blue && a.alpha == b.alpha && a.luminance == b.luminance;
}

} // namespace

bool announcesDx10(std::span<const std::uint8_t> head) {
    return head.size() >= kHeaderBytes && (word(head, 80) & kFourCc) != 0 &&
           word(head, 84) == fourCc("DX10");
}

namespace {

// Fills format and layout; the reason when the format is unknown.
std::string readFormat(std::span<const std::uint8_t> head, TextureInfo& info) {
    const std::uint32_t flags = word(head, 80);
    const std::uint32_t code = word(head, 84);
    if (announcesDx10(head)) {
        if (head.size() < kLongestHeader) {
            return "shorter than its header";
        }
        info.dataOffset = kLongestHeader;
        const std::uint32_t dxgi = word(head, kHeaderBytes);
        for (const Dxgi& format : kDxgiFormats) {
            if (dxgi >= format.first && dxgi <= format.last) {
                info.format = format.name;
                info.layout = format.layout;
                info.masks = format.masks;
                return {};
            }
        }
        return "unknown format (DXGI format " + std::to_string(dxgi) + ")";
    }
    if ((flags & kFourCc) != 0) {
        for (const Named& format : kFourCcFormats) {
            if (format.code == code) {
                info.format = format.name;
                info.layout = format.layout;
                return {};
            }
        }
        return "unknown format (FourCC '" + fourCcText(code) + "')";
    }
    if ((flags & (kRgb | kLuminance | kAlphaOnly)) == 0) {
        return "unknown format (pixel format flags " + std::to_string(flags) + ")";
    }
    PixelMasks masks{word(head, 88),
                     word(head, 92),
                     word(head, 96),
                     word(head, 100),
                     (flags & (kAlphaPixels | kAlphaOnly)) != 0 ? word(head, 104) : 0,
                     (flags & kLuminance) != 0};
    if ((flags & kAlphaOnly) != 0 && (flags & (kRgb | kLuminance)) == 0) {
        masks.alpha = word(head, 104);
        masks.red = masks.green = masks.blue = 0;
    }
    const std::uint32_t bits = masks.bitsPerPixel;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return "unknown format (" + std::to_string(bits) + " bits per pixel)";
    }
    if (masks.luminance) {
        masks.green = masks.blue = 0;
    }
    info.layout = Layout::Masks;
    info.masks = masks;
    info.format = (masks.luminance ? "luminance " : "RGB ") + std::to_string(bits) + "-bit";
    for (const NamedMasks& named : kMaskFormats) {
        if (sameMasks(named.masks, masks)) {
            info.format = named.name;
        }
    }
    return {};
}

std::uint64_t blockBytes(Layout layout) {
    return layout == Layout::Dxt1 ? 8 : 16;
}

} // namespace

std::uint32_t TextureInfo::levelWidth(std::uint32_t level) const {
    return std::max<std::uint32_t>(1, width >> std::min<std::uint32_t>(level, 31));
}

std::uint32_t TextureInfo::levelHeight(std::uint32_t level) const {
    return std::max<std::uint32_t>(1, height >> std::min<std::uint32_t>(level, 31));
}

std::uint64_t TextureInfo::levelBytes(std::uint32_t level) const {
    const std::uint64_t w = levelWidth(level);
    const std::uint64_t h = levelHeight(level);
    switch (layout) {
    case Layout::Dxt1:
    case Layout::Dxt3:
    case Layout::Dxt5:
        return ((w + 3) / 4) * ((h + 3) / 4) * blockBytes(layout);
    case Layout::Masks:
        return w * h * (masks.bitsPerPixel / 8);
    case Layout::None:
        break;
    }
    return 0;
}

std::uint64_t TextureInfo::levelOffset(std::uint32_t level) const {
    std::uint64_t offset = dataOffset;
    for (std::uint32_t i = 0; i < level; ++i) {
        offset += levelBytes(i);
    }
    return offset;
}

std::string TextureInfo::summary() const {
    std::string text =
        std::to_string(width) + " × " + std::to_string(height) + ", " + format + ", ";
    if (mipLevels <= 1) {
        return text + "no mip levels";
    }
    return text + std::to_string(mipLevels) + " mip levels";
}

HeaderReading parseHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    if (head.size() < kHeaderBytes || fileSize < kHeaderBytes) {
        return {std::nullopt, "shorter than its header"};
    }
    if (word(head, 0) != fourCc("DDS ")) {
        return {std::nullopt, "not a DDS file"};
    }
    TextureInfo info;
    info.height = word(head, 12);
    info.width = word(head, 16);
    info.mipLevels = std::max<std::uint32_t>(1, word(head, 28));
    info.dataOffset = kHeaderBytes;
    if (info.width == 0 || info.height == 0 || info.width > kMaxSide || info.height > kMaxSide) {
        return {std::nullopt, "size " + std::to_string(info.width) + " × " +
                                  std::to_string(info.height) + " (each side must be 1 to " +
                                  std::to_string(kMaxSide) + ")"};
    }
    if (std::string problem = readFormat(head, info); !problem.empty()) {
        return {std::nullopt, std::move(problem)};
    }
    const auto levels =
        static_cast<std::uint32_t>(std::bit_width(std::max(info.width, info.height)));
    if (info.mipLevels > levels) {
        return {std::nullopt, std::to_string(info.mipLevels) + " mip levels, more than a " +
                                  std::to_string(info.width) + " × " + std::to_string(info.height) +
                                  " texture has"};
    }
    if ((word(head, 112) & kVolume) != 0 && word(head, 24) > 1) {
        info.format += " volume";
        info.layout = Layout::None;
    }
    if (info.layout != Layout::None && info.levelOffset(info.mipLevels) > fileSize) {
        return {std::nullopt, info.mipLevels > 1 ? "mip levels beyond the end of the file"
                                                 : "pixels beyond the end of the file"};
    }
    return {std::move(info), {}};
}

} // namespace quorvell::textures
