#include "tests/support/temp_dir.h"
#include "textures/picture.h"
#include "tools/dds_file.h"

#include <gtest/gtest.h>
#include <span>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace quorvell::textures {
namespace {

using tools::DdsFormat;
using tools::Rgba;

// Solid 4 × 4 blocks of colours every format holds exactly (each channel 0
// or 255), changing with the level so the level read shows.
Rgba blockColour(std::uint32_t level, std::uint32_t x, std::uint32_t y) {
    static constexpr Rgba palette[] = {
        {255, 0, 0, 255}, {0, 255, 255, 255}, {255, 255, 0, 0}, {0, 0, 255, 255}};
    return palette[(x / 4 + 3 * (y / 4) + level) % 4];
}

struct FormatCase {
    DdsFormat format;
    const char* name;
    bool alpha;
    bool grey;
};

// What a format keeps of a colour.
Rgba kept(const FormatCase& c, Rgba colour) {
    if (c.format == DdsFormat::Dxt1 || c.format == DdsFormat::Bc1Dx10) {
        return colour[3] == 0 ? Rgba{0, 0, 0, 0} : colour;
    }
    if (c.grey) {
        colour[1] = colour[2] = colour[0];
    }
    if (!c.alpha) {
        colour[3] = 255;
    }
    return colour;
}

bool isDxt(DdsFormat format) {
    return format <= DdsFormat::Bc3Dx10;
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void expectPixels(const Picture& picture, const FormatCase& c, std::uint32_t level,
                  std::uint32_t stride) {
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        for (std::uint32_t x = 0; x < picture.width; ++x) {
            const Rgba want = kept(c, blockColour(level, x * stride, y * stride));
            const std::uint8_t* got = &picture.rgba[(std::size_t{y} * picture.width + x) * 4];
            ASSERT_EQ(want, (Rgba{got[0], got[1], got[2], got[3]}))
                << c.name << " at " << x << "," << y;
        }
    }
}

constexpr FormatCase kFormats[] = {
    {DdsFormat::Dxt1, "DXT1", true, false},
    {DdsFormat::Dxt3, "DXT3", true, false},
    {DdsFormat::Dxt5, "DXT5", true, false},
    {DdsFormat::Bc1Dx10, "BC1", true, false},
    {DdsFormat::Bc3Dx10, "BC3", true, false},
    {DdsFormat::A8R8G8B8, "A8R8G8B8", true, false},
    {DdsFormat::X8R8G8B8, "X8R8G8B8", false, false},
    {DdsFormat::A8B8G8R8, "A8B8G8R8", true, false},
    {DdsFormat::R8G8B8, "R8G8B8", false, false},
    {DdsFormat::R5G6B5, "R5G6B5", false, false},
    {DdsFormat::A1R5G5B5, "A1R5G5B5", true, false},
    {DdsFormat::A4R4G4B4, "A4R4G4B4", true, false},
    {DdsFormat::L8, "L8", false, true},
    {DdsFormat::A8L8, "A8L8", true, true},
};

// Each format, read through its mip levels (the smallest level at least 16
// px: level 2 of 64 × 32) and, without mip levels, at a stride.
TEST(Picture, DecodesEachFormatFromTheLevelItNeeds) {
    for (const FormatCase& c : kFormats) {
        const std::string mipped = tools::ddsFile(c.format, 64, 32, 7, blockColour);
        MemorySource source(bytesOf(mipped));
        const TextureReading reading = readPicture(source, 16);
        ASSERT_TRUE(reading.info) << c.name << ": " << reading.problem;
        EXPECT_EQ(reading.info->format, c.name);
        if (isDxt(c.format) && !decodesDxt()) {
            EXPECT_EQ(reading.problem, std::string(c.name) + ": no preview");
            continue;
        }
        ASSERT_TRUE(reading.picture) << c.name << ": " << reading.problem;
        EXPECT_EQ(reading.picture->width, 16u);
        EXPECT_EQ(reading.picture->height, 8u);
        expectPixels(*reading.picture, c, 2, 1);
        // The header and that level, nothing else.
        EXPECT_EQ(source.bytesRead(), reading.info->dataOffset + reading.info->levelBytes(2))
            << c.name;

        const std::string flat = tools::ddsFile(c.format, 256, 128, 1, blockColour);
        MemorySource flatSource(bytesOf(flat));
        const TextureReading strided = readPicture(flatSource, 32);
        ASSERT_TRUE(strided.picture) << c.name << ": " << strided.problem;
        EXPECT_EQ(strided.picture->width, 32u);
        EXPECT_EQ(strided.picture->height, 16u);
        expectPixels(*strided.picture, c, 0, 8);
        // Every other row of blocks, or every eighth row of pixels.
        EXPECT_LE(flatSource.bytesRead(), kLongestHeader + (flat.size() - kHeaderBytes) / 2)
            << c.name;
    }
}

std::string patched(std::string file, std::size_t at, std::uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xff);
    }
    return file.replace(at, 4, bytes);
}

TEST(Picture, SaysSizeFormatAndLevels) {
    const std::string file = tools::ddsFile(DdsFormat::Dxt5, 2048, 2048, 12, {});
    MemorySource source(bytesOf(file));
    const TextureReading reading = readHeader(source);
    ASSERT_TRUE(reading.info);
    EXPECT_EQ(reading.info->summary(), "2048 × 2048, DXT5, 12 mip levels");
    EXPECT_EQ(source.bytesRead(), kHeaderBytes);
    // "DX10" in a format that announces no FourCC is no second header: the
    // pixels follow the first one, and are not read as a header before.
    const std::string dx10Code =
        patched(tools::ddsFile(DdsFormat::A8R8G8B8, 8, 8, 1, blockColour), 84, 0x30315844);
    MemorySource masked(bytesOf(dx10Code));
    const TextureReading read = readPicture(masked, 8);
    ASSERT_TRUE(read.picture) << read.problem;
    EXPECT_EQ(masked.bytesRead(), kHeaderBytes + 8 * 8 * 4);
}

TEST(Picture, NamesWhatIsWrongWithABadFile) {
    const std::string good = tools::ddsFile(DdsFormat::A8R8G8B8, 64, 32, 3, blockColour);
    const struct {
        std::string bytes;
        const char* problem;
        bool header; // the header could be read
    } cases[] = {
        {"", "shorter than its header", false},
        {good.substr(0, 100), "shorter than its header", false},
        {"XDS " + good.substr(4), "not a DDS file", false},
        {patched(good, 16, 0), "size 0 × 32 (each side must be 1 to 16384)", false},
        {patched(good, 12, 16385), "size 64 × 16385 (each side must be 1 to 16384)", false},
        {good.substr(0, good.size() - 1), "mip levels beyond the end of the file", false},
        {patched(good, 28, 8), "8 mip levels, more than a 64 × 32 texture has", false},
        {patched(patched(good, 80, 4), 84, 0x44434241), "unknown format (FourCC 'ABCD')", false},
        {patched(good, 88, 12), "unknown format (12 bits per pixel)", false},
        {tools::ddsFile(DdsFormat::Bc7, 64, 64, 1, {}), "BC7: no preview", true},
        {tools::ddsFile(DdsFormat::Bc4, 64, 64, 1, {}), "BC4: no preview", true},
    };
    for (const auto& c : cases) {
        MemorySource source(bytesOf(c.bytes));
        const TextureReading reading = readPicture(source);
        EXPECT_EQ(reading.problem, c.problem);
        EXPECT_EQ(reading.info.has_value(), c.header) << c.problem;
        EXPECT_FALSE(reading.picture) << c.problem;
    }
}

TEST(Picture, NamesWhyAFileCannotBeRead) {
    testing::TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder.dds");
    EXPECT_EQ(readPicture(dir.path() / "folder.dds").problem, "a folder, not a file");
    EXPECT_EQ(readHeader(dir.path() / "gone.dds").problem, "the file is gone");
#ifndef _WIN32
    ASSERT_EQ(mkfifo((dir.path() / "fifo.dds").c_str(), 0600), 0);
    EXPECT_EQ(readPicture(dir.path() / "fifo.dds").problem, "not a regular file");
#endif
    // Cut short between the header and the pixels.
    const auto path = dir.write("cut.dds", tools::ddsFile(DdsFormat::L8, 64, 64, 1, blockColour));
    FileSource source(path);
    std::filesystem::resize_file(path, 200);
    EXPECT_EQ(readPicture(source).problem,
              "cannot be read to the end (the file changed or failed)");
}

} // namespace
} // namespace quorvell::textures
