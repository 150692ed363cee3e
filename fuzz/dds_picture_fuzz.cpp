// Arbitrary bytes as a DDS file: the reader must not crash, must read only
// inside the file, and a picture it gives must be as large as it says, with
// a longer side below twice the size asked for.

#include "textures/picture.h"

#include <algorithm>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the size asked for, so small levels and strides
    // are reached with small inputs.
    const std::uint32_t minSide = 1u + data[0] % 64;
    quorvell::textures::MemorySource source({data + 1, size - 1});
    const auto reading = quorvell::textures::readPicture(source, minSide);
    check(source.bytesRead() <= size - 1);
    check(reading.picture.has_value() == reading.problem.empty());
    if (reading.picture) {
        const auto& picture = *reading.picture;
        check(picture.rgba.size() == std::size_t{picture.width} * picture.height * 4);
        check(std::max(picture.width, picture.height) < 2 * minSide ||
              std::max(picture.width, picture.height) ==
                  std::max(reading.info->width, reading.info->height));
    }
    return 0;
}
