#include "tools/demo_pictures.h"

#include "tools/dds_file.h"

#include <algorithm>
#include <cstdint>

namespace quorvell::tools {

namespace {

std::uint8_t mix(int a, int b, int t, int of) {
    return static_cast<std::uint8_t>(std::clamp(a + (b - a) * t / std::max(1, of), 0, 255));
}

// A little grain, the same for the same pixel.
int grain(std::uint32_t x, std::uint32_t y) {
    std::uint32_t h = x * 374761393u + y * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<int>(h >> 28) - 8;
}

Rgba shade(int r, int g, int b, int n, std::uint8_t alpha = 255) {
    return {static_cast<std::uint8_t>(std::clamp(r + n, 0, 255)),
            static_cast<std::uint8_t>(std::clamp(g + n, 0, 255)),
            static_cast<std::uint8_t>(std::clamp(b + n, 0, 255)), alpha};
}

// Each pattern draws the top level at (x, y); lower levels sample it.
Rgba bricks(std::uint32_t x, std::uint32_t y, int red) {
    const std::uint32_t row = y / 32;
    const std::uint32_t shifted = x + (row % 2) * 32;
    if (y % 32 < 3 || shifted % 64 < 3) {
        return shade(150, 145, 135, grain(x, y));
    }
    return shade(red, 70 + static_cast<int>(row % 3) * 8, 50, grain(x, y) * 2);
}

Rgba boards(std::uint32_t x, std::uint32_t y) {
    const int ring = static_cast<int>((x * 7 + (y / 5) % 13) % 23);
    if (y % 40 < 2) {
        return shade(60, 35, 20, 0);
    }
    return shade(150 + ring, 95 + ring / 2, 50, grain(x / 4, y));
}

Rgba glass(std::uint32_t x, std::uint32_t y, std::uint32_t side) {
    if (x % (side / 2) < 6 || y % (side / 2) < 6) {
        return shade(40, 40, 45, 0);
    }
    const auto alpha = mix(90, 200, static_cast<int>(x + y), static_cast<int>(2 * side));
    return shade(120, 170, 210, grain(x, y) / 2, alpha);
}

Rgba slates(std::uint32_t x, std::uint32_t y) {
    const std::uint32_t row = y / 24;
    const std::uint32_t shifted = x + (row % 2) * 20;
    if (y % 24 < 2 || shifted % 40 < 2) {
        return shade(30, 30, 35, 0);
    }
    return shade(80, 90, 105 + static_cast<int>(row % 4) * 6, grain(x, y));
}

Rgba streets(std::uint32_t x, std::uint32_t y) {
    if (x % 64 < 8 || y % 48 < 6) {
        return shade(200, 190, 160, grain(x, y));
    }
    return shade(90, 110, 80, grain(x / 2, y / 2));
}

Rgba oak(std::uint32_t x, std::uint32_t y) {
    if (x % 64 < 4 || y < 6 || y > 250) {
        return shade(40, 30, 25, 0);
    }
    if ((x - 48) * (x - 48) + (y - 128) * (y - 128) < 30) {
        return shade(200, 170, 60, 0); // the handle
    }
    return boards(y, x);
}

Rgba hills(std::uint32_t x, std::uint32_t y) {
    const int sky = static_cast<int>(y) < 20 + static_cast<int>((x * x / 7) % 17) ? 1 : 0;
    return sky != 0 ? shade(110, 140, 190, 0) : shade(70, 100, 60, grain(x, y));
}

Rgba loading(std::uint32_t x, std::uint32_t y) {
    return shade(mix(10, 90, static_cast<int>(y), 64), 20, mix(30, 10, static_cast<int>(x), 64), 0);
}

struct Drawing {
    DdsFormat format;
    std::uint32_t width, height, levels;
    Rgba (*draw)(std::uint32_t, std::uint32_t);
};

Drawing drawingOf(std::string_view name) {
    if (name == "Wall_brick01.dds") {
        return {DdsFormat::Dxt1, 256, 256, 9, [](auto x, auto y) { return bricks(x, y, 150); }};
    }
    if (name == "Wall_brick02.dds") {
        return {DdsFormat::Dxt1, 128, 128, 8, [](auto x, auto y) { return bricks(x, y, 110); }};
    }
    if (name == "Floor_wood.dds") {
        return {DdsFormat::Dxt1, 128, 128, 8, boards};
    }
    if (name == "Window_glass.dds") {
        return {DdsFormat::Dxt5, 256, 256, 9, [](auto x, auto y) { return glass(x, y, 256); }};
    }
    if (name == "HDMAP_City.dds") {
        return {DdsFormat::R5G6B5, 256, 128, 1, streets};
    }
    if (name == "Door_oak.dds") {
        return {DdsFormat::Dxt3, 64, 128, 8, [](auto x, auto y) { return oak(x * 2, y * 2); }};
    }
    if (name == "Roof_slate.DDS") {
        return {DdsFormat::Dxt5, 128, 128, 8, slates};
    }
    if (name == "loading3.DDS") {
        return {DdsFormat::X8R8G8B8, 64, 64, 1, loading};
    }
    return {DdsFormat::A8R8G8B8, 128, 64, 8, hills};
}

} // namespace

std::string demoTextureFile(std::string_view name) {
    const Drawing drawing = drawingOf(name);
    return ddsFile(drawing.format, drawing.width, drawing.height, drawing.levels,
                   [&](std::uint32_t level, std::uint32_t x, std::uint32_t y) {
                       return drawing.draw(x << level, y << level);
                   });
}

} // namespace quorvell::tools
