#include "textures/picture.h"

#include "textures/dxt_blocks.h"

#include <algorithm>
#include <array>
#include <bit>

namespace quorvell::textures {

namespace {

// One channel of an uncompressed pixel: where its bits are and how to widen
// them to eight.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t top = 0; // the largest value the channel holds

    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask != 0) {
            shift = std::countr_zero(mask);
            top = mask >> shift;
        }
    }
    std::uint8_t value(std::uint32_t pixel, std::uint8_t absent) const {
        if (top == 0) {
            return absent;
        }
        const std::uint64_t raw = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>(std::min<std::uint64_t>(255, raw * 255 / top));
    }
};

class MaskDecoder {
public:
    explicit MaskDecoder(const PixelMasks& masks)
        : bytes_(masks.bitsPerPixel / 8), luminance_(masks.luminance), red_(masks.red),
          green_(masks.green), blue_(masks.blue), alpha_(masks.alpha) {}

    std::uint32_t bytesPerPixel() const { return bytes_; }

    void decode(const std::uint8_t* in, std::uint8_t* out) const {
        std::uint32_t pixel = 0;
        for (std::uint32_t i = 0; i < bytes_; ++i) {
            pixel |= static_cast<std::uint32_t>(in[i]) << (8 * i);
        }
        out[0] = red_.value(pixel, 0);
        out[1] = luminance_ ? out[0] : green_.value(pixel, 0);
        out[2] = luminance_ ? out[0] : blue_.value(pixel, 0);
        out[3] = alpha_.value(pixel, 255);
    }

private:
    std::uint32_t bytes_;
    bool luminance_;
    Channel red_, green_, blue_, alpha_;
};

constexpr const char* kShortRead = "cannot be read to the end (the file changed or failed)";

std::uint32_t longerSide(const TextureInfo& info, std::uint32_t level) {
    return std::max(info.levelWidth(level), info.levelHeight(level));
}

// The smallest level whose longer side is at least minSide (or the top one).
std::uint32_t chooseLevel(const TextureInfo& info, std::uint32_t minSide) {
    std::uint32_t level = 0;
    while (level + 1 < info.mipLevels && longerSide(info, level + 1) >= minSide) {
        ++level;
    }
    return level;
}

// The level whole: every pixel in the picture.
std::string decodeWhole(ByteSource& source, const TextureInfo& info, std::uint32_t level,
                        Picture& picture) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.levelBytes(level)));
    if (!source.read(info.levelOffset(level), bytes)) {
        return kShortRead;
    }
    if (info.layout == Layout::Masks) {
        const MaskDecoder decoder(info.masks);
        const std::size_t pixels = std::size_t{picture.width} * picture.height;
        for (std::size_t i = 0; i < pixels; ++i) {
            decoder.decode(&bytes[i * decoder.bytesPerPixel()], &picture.rgba[i * 4]);
        }
        return {};
    }
    decodeDxtImage(info.layout, bytes.data(), picture.width, picture.height, picture.rgba.data());
    return {};
}

// Every stride-th pixel of every stride-th row, reading only the rows (or
// rows of blocks) those fall in.
std::string decodeStrided(ByteSource& source, const TextureInfo& info, std::uint32_t level,
                          std::uint32_t stride, Picture& picture) {
    const std::uint32_t width = info.levelWidth(level);
    const std::uint64_t start = info.levelOffset(level);
    const bool blocks = info.layout != Layout::Masks;
    const MaskDecoder decoder(info.masks);
    const std::uint32_t blockSize = info.layout == Layout::Dxt1 ? 8 : 16;
    const std::uint64_t rowBytes = blocks ? std::uint64_t{(width + 3) / 4} * blockSize
                                          : std::uint64_t{width} * decoder.bytesPerPixel();
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes));
    std::uint64_t rowInBuffer = UINT64_MAX;
    std::array<std::uint8_t, 64> block{};
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        const std::uint32_t sourceY = y * stride;
        const std::uint64_t rowIndex = blocks ? sourceY / 4 : sourceY;
        if (rowIndex != rowInBuffer) {
            if (!source.read(start + rowIndex * rowBytes, row)) {
                return kShortRead;
            }
            rowInBuffer = rowIndex;
        }
        std::uint32_t blockInBuffer = UINT32_MAX;
        std::uint8_t* out = &picture.rgba[std::size_t{y} * picture.width * 4];
        for (std::uint32_t x = 0; x < picture.width; ++x, out += 4) {
            const std::uint32_t sourceX = x * stride;
            if (!blocks) {
                decoder.decode(&row[std::size_t{sourceX} * decoder.bytesPerPixel()], out);
                continue;
            }
            if (sourceX / 4 != blockInBuffer) {
                blockInBuffer = sourceX / 4;
                decodeDxtBlock(info.layout, &row[std::size_t{blockInBuffer} * blockSize],
                               block.data());
            }
            std::copy_n(&block[((sourceY % 4) * 4 + sourceX % 4) * 4], 4, out);
        }
    }
    return {};
}

} // namespace

bool decodesDxt() {
    return dxtDecoderBuilt();
}

TextureReading readHeader(ByteSource& source) {
    // The DX10 header is read only when the first one announces it.
    std::array<std::uint8_t, kLongestHeader> head{};
    auto length = static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), kHeaderBytes));
    if (!source.read(0, std::span(head).first(length))) {
        return {std::nullopt, std::nullopt, kShortRead};
    }
    if (length == kHeaderBytes && source.size() >= kLongestHeader &&
        announcesDx10(std::span(head).first(length))) {
        if (!source.read(kHeaderBytes, std::span(head).subspan(kHeaderBytes))) {
            return {std::nullopt, std::nullopt, kShortRead};
        }
        length = kLongestHeader;
    }
    HeaderReading header = parseHeader(std::span(head).first(length), source.size());
    return {std::move(header.info), std::nullopt, std::move(header.problem)};
}

TextureReading readHeader(const std::filesystem::path& path) {
    FileSource source(path);
    if (!source.problem().empty()) {
        return {std::nullopt, std::nullopt, source.problem()};
    }
    return readHeader(source);
}

TextureReading readPicture(ByteSource& source, std::uint32_t minSide) {
    TextureReading reading = readHeader(source);
    if (!reading.info) {
        return reading;
    }
    const TextureInfo& info = *reading.info;
    const bool dxt = info.layout != Layout::None && info.layout != Layout::Masks;
    if (info.layout == Layout::None || (dxt && !decodesDxt())) {
        reading.problem = info.format + ": no preview";
        return reading;
    }
    minSide = std::max<std::uint32_t>(1, minSide);
    const std::uint32_t level = chooseLevel(info, minSide);
    const std::uint32_t longer = longerSide(info, level);
    const std::uint32_t stride = longer < 2 * minSide ? 1 : longer / minSide;
    Picture picture;
    picture.width = std::max<std::uint32_t>(1, info.levelWidth(level) / stride);
    picture.height = std::max<std::uint32_t>(1, info.levelHeight(level) / stride);
    picture.rgba.resize(std::size_t{picture.width} * picture.height * 4);
    reading.problem = stride == 1 ? decodeWhole(source, info, level, picture)
                                  : decodeStrided(source, info, level, stride, picture);
    if (reading.problem.empty()) {
        reading.picture = std::move(picture);
    }
    return reading;
}

TextureReading readPicture(const std::filesystem::path& path, std::uint32_t minSide) {
    FileSource source(path);
    if (!source.problem().empty()) {
        return {std::nullopt, std::nullopt, source.problem()};
    }
    return readPicture(source, minSide);
}

} // namespace quorvell::textures
