#pragma once

// Where everything sits, in twips as the window was laid out, and the one
// conversion to Qt's device-independent pixels (15 twips to a pixel), so the
// window keeps its proportions on high-DPI screens.

#include <QtCore/QRect>
#include <QtCore/QRectF>

namespace quorvell::app {

inline constexpr double kTwipsPerPixel = 15.0;

struct Twips {
    double left;
    double top;
    double width;
    double height;
};

constexpr double twipsToPx(double twips) {
    return twips / kTwipsPerPixel;
}

// Whole pixels, rounded to the nearest: controls are placed on the pixel grid.
QRect toPixels(const Twips& r);
// Exact, for the progress bars, whose width moves in fractions of a pixel.
QRectF toPixelsF(const Twips& r);

// Where a hot spot takes clicks: its art's area grown about its centre to at
// least 24 x 24 pixels (at 1x), the size a pointer or a finger hits surely.
Twips clickArea(const Twips& art);

namespace form1 {
inline constexpr double kClientWidth = 4965;
inline constexpr double kClientHeight = 5550;
inline constexpr double kLeft = 3615;
inline constexpr double kTop = 1710;
inline constexpr Twips kList2{560, 940, 3855, 4335};
inline constexpr Twips kCombo1{2470, 600, 1935, 315};
inline constexpr Twips kLabel3{120, 120, 375, 375};
inline constexpr Twips kLabel4{4640, 90, 250, 200};
inline constexpr Twips kLabel5{4515, 480, 270, 255};
inline constexpr Twips kLabel6{4515, 840, 270, 255};
inline constexpr Twips kShape1{120, 5350, 4695, 100};
} // namespace form1

namespace form2 {
inline constexpr double kClientWidth = 11070;
inline constexpr double kClientHeight = 825;
inline constexpr Twips kShape1{555, 705, 9850, 60};
} // namespace form2

namespace form3 {
inline constexpr double kClientWidth = 4005;
inline constexpr double kClientHeight = 1695;
inline constexpr double kOffsetFromMain = 400; // right and down from Form1's corner
inline constexpr Twips kFrame{0, 0, 4000, 1700};
inline constexpr double kLabelLeft = 120;
inline constexpr double kLabelWidth = 3855;
inline constexpr double kLabelHeight = 615;
inline constexpr double kLabelTops[3] = {120, 600, 1080};
inline constexpr double kWhereHeight = 900; // below the frame: the game and preset file in use
} // namespace form3

} // namespace quorvell::app
