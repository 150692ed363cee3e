#include "cli/png_file.h"

#include "base/io_error.h"
#include "base/path_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#if QUORVELL_PNG
#include <png.h>
#endif

namespace quorvell::cli {

textures::Picture fitted(const textures::Picture& picture, std::uint32_t side) {
    const std::uint32_t longer = std::max(picture.width, picture.height);
    if (longer <= side) {
        return picture;
    }
    textures::Picture out;
    out.width = std::max<std::uint32_t>(1, picture.width * side / longer);
    out.height = std::max<std::uint32_t>(1, picture.height * side / longer);
    out.rgba.resize(std::size_t{out.width} * out.height * 4);
    for (std::uint32_t y = 0; y < out.height; ++y) {
        const std::uint32_t from = y * longer / side;
        for (std::uint32_t x = 0; x < out.width; ++x) {
            std::copy_n(&picture.rgba[(std::size_t{from} * picture.width + x * longer / side) * 4],
                        4, &out.rgba[(std::size_t{y} * out.width + x) * 4]);
        }
    }
    return out;
}

void writePng(const std::filesystem::path& file, const textures::Picture& picture) {
#if QUORVELL_PNG
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.string().c_str(), "wb"),
                                                        &std::fclose);
    if (!out) {
        throw IoError(pathText(file), errno != 0 ? systemReason(errno) : "cannot be written");
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = picture.width;
    image.height = picture.height;
    image.format = PNG_FORMAT_RGBA;
    const bool written =
        png_image_write_to_stdio(&image, out.get(), 0, picture.rgba.data(), 0, nullptr) != 0;
    const std::string reason = written ? std::string() : image.message;
    png_image_free(&image);
    if (!written || std::fflush(out.get()) != 0 || std::ferror(out.get()) != 0) {
        throw IoError(pathText(file), reason.empty() ? "cannot be written" : reason);
    }
#else
    (void)picture;
    throw IoError(pathText(file), "this build of quorvell-cli writes no PNG files");
#endif
}

} // namespace quorvell::cli
