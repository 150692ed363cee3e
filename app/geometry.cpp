#include "app/geometry.h"

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

QRectF toPixelsF(const Twips& r) {
    return {twipsToPx(r.left), twipsToPx(r.top), twipsToPx(r.width), twipsToPx(r.height)};
}

} // namespace quorvell::app
