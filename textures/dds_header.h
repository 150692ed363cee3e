#pragma once

// What a DDS file's header says: its size, mip levels and pixel format, and
// where each mip level lies. Read from the first 148 bytes (the magic, the
// DDS_HEADER and the optional DX10 header) and the file's length only.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quorvell::textures {

inline constexpr std::uint32_t kMaxSide = 16384;
inline constexpr std::size_t kHeaderBytes = 4 + 124; // magic + DDS_HEADER
inline constexpr std::size_t kDx10HeaderBytes = 20;  // DDS_HEADER_DXT10
inline constexpr std::size_t kLongestHeader = kHeaderBytes + kDx10HeaderBytes;

// Whether the first header announces a DX10 header after it: its pixel
// format has the FourCC flag and the code "DX10". Otherwise the bytes after it
// are pixels, whatever the code field holds.
bool announcesDx10(std::span<const std::uint8_t> head);

// How the pixels of a level are stored, as far as the reader can show them.
enum class Layout : std::uint8_t {
    None, // named but not shown
    Dxt1,
    Dxt3,
    Dxt5,
    Masks, // uncompressed: bits per pixel and the four channel masks
};

struct PixelMasks {
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t red = 0, green = 0, blue = 0, alpha = 0;
    bool luminance = false; // red's mask is the grey level
};

// Size and format as a player reads them; the rest places the levels.
struct TextureInfo {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t mipLevels = 1;
    std::string format; // "DXT5", "A8R8G8B8", "BC7", ...
    Layout layout = Layout::None;
    PixelMasks masks = {};
    std::uint64_t dataOffset = 0; // first byte of the top level

    // "2048 × 2048, DXT5, 12 mip levels"
    std::string summary() const;
    // Bytes of mip level `level` (0: the top one).
    std::uint64_t levelBytes(std::uint32_t level) const;
    std::uint64_t levelOffset(std::uint32_t level) const;
    std::uint32_t levelWidth(std::uint32_t level) const;
    std::uint32_t levelHeight(std::uint32_t level) const;
};

// The header read, or the reason it cannot be read: "shorter than its
// header", "not a DDS file", "size 0 × 64", "mip levels beyond the end of
// the file", "unknown format (FourCC 'ABCD')".
struct HeaderReading {
    std::optional<TextureInfo> info;
    std::string problem;
};

// head: the file's first bytes (up to kLongestHeader); fileSize: its length.
HeaderReading parseHeader(std::span<const std::uint8_t> head, std::uint64_t fileSize);

} // namespace quorvell::textures
