#include "app/geometry.h"

#include <algorithm>
#include <cmath>

namespace quorvell::app {

namespace {
int px(double twips) {
    return static_cast<int>(std::lround(twipsToPx(twips)));
}
} // namespace

QRect toPixels(const Twips& r) {
    return {px(r.left), px(r.top), px(r.width), px(r.height)};
}

Twips clickArea(const Twips& art) {
    constexpr double kLeast = 24 * kTwipsPerPixel;
    const double width = std::max(art.width, kLeast);
    const double height = std::max(art.height, kLeast);
    return {art.left - (width - art.width) / 2, art.top - (height - art.height) / 2, width, height};
}

QRectF toPixelsF(const Twips& r) {
    return {twipsToPx(r.left), twipsToPx(r.top), twipsToPx(r.width), twipsToPx(r.height)};
}

} // namespace quorvell::app
