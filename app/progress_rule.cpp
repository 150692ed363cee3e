#include "app/progress_rule.h"

namespace quorvell::app {

double progressFraction(int i, int n) {
    if (n <= 1) {
        return 1.0;
    }
    return static_cast<double>(i) / static_cast<double>(n - 1);
}

float mainBarWidth(int i, int n) {
    return static_cast<float>(4695.0 * progressFraction(i, n));
}

float bannerScanWidth(float quarterWidth, int i, int n) {
    return static_cast<float>(static_cast<double>(quarterWidth) * progressFraction(i, n));
}

float bannerPresetWidth(int i, int n) {
    constexpr double kThreeQuarters = 7387.5;
    return static_cast<float>(kThreeQuarters / 3.0 + progressFraction(i, n) * kThreeQuarters);
}

} // namespace quorvell::app
