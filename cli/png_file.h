#pragma once

// A texture's picture written as a PNG file (libpng), and the picture fitted
// to the preview's size.

#include "textures/picture.h"

#include <filesystem>

namespace quorvell::cli {

// The picture with its longer side at most side px (nearest pixels).
textures::Picture fitted(const textures::Picture& picture, std::uint32_t side);

// Throws IoError naming the file and the reason.
void writePng(const std::filesystem::path& file, const textures::Picture& picture);

} // namespace quorvell::cli
