#pragma once

// A small picture of a DDS texture, decoded to RGBA from the mip level
// nearest the size asked for. Reads the header and that one level (or, in a
// texture without fitting mip levels, the rows a stride picks); never
// allocates more than the picture and one level or one row of blocks.

#include "textures/byte_source.h"
#include "textures/dds_header.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvell::textures {

struct Picture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba; // width * height * 4, rows top to bottom
};

// The header (when it could be read), the picture (when it could be shown),
// and otherwise the reason: a bad file's ("shorter than its header") or a
// format's ("BC7: no preview").
struct TextureReading {
    std::optional<TextureInfo> info;
    std::optional<Picture> picture;
    std::string problem;
};

// Whether this build decodes DXT1/3/5 (it may be built without libsquish).
bool decodesDxt();

// The header only.
TextureReading readHeader(ByteSource& source);
TextureReading readHeader(const std::filesystem::path& path);

// The header and a picture whose longer side is at least minSide (or the
// whole texture when it is smaller) and below twice minSide.
TextureReading readPicture(ByteSource& source, std::uint32_t minSide = 128);
TextureReading readPicture(const std::filesystem::path& path, std::uint32_t minSide = 128);

} // namespace quorvell::textures
