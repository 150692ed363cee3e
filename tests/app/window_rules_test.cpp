// The window's plain rules: ticker texts and steps, progress widths, and the
// twips-to-pixel placement.

#include "app/geometry.h"
#include "app/progress_rule.h"
#include "app/ticker.h"

#include <gtest/gtest.h>
#include <string>

namespace quorvell::app {
namespace {

std::string sp(std::size_t n) {
    return std::string(n, ' ');
}

const std::string kAbout =
    sp(6) + "Thief - Deadly Shadows IBT texture overrider." + sp(5) +
    "Works by scanning for custom DDS files in multiple Thief:DS directories." + sp(5) +
    "Then scans IBTs for reference." + sp(5) + "A check means a DDS is enabled (override)." +
    sp(5) + "You enable/disable manually by checking/unchecking from the list." + sp(5) +
    "A progressbar will show up at lower window region." + sp(5) +
    "Custom presets are allowed, see presets.ini in QUORVELL.EXE directory." + sp(5) +
    "By selecting a preset, preset DDS will be enabled/disabled." + sp(5) +
    "You can manually edit presets as you see fit." + sp(10) +
    "Program accepts command line arguments: quorvell.exe preset silent" + sp(5) +
    "Preset is the actual preset name, and will accept spaces, for instance 'no textures'. If "
    "included, 'silent' means no messagebox and the program will quit right after processing "
    "the preset. You will still have a progressbar.";

TEST(TickerText, StartupTextCharacterForCharacter) {
    EXPECT_EQ(startupTickerText(), sp(5) + "Scanning files....." + sp(19) + "- - -|Quorvell|- - -" +
                                       kAbout + sp(5) + "Presets can also be disabled:" + sp(3) +
                                       "quorvell.exe preset silent disable" + sp(11));
}

TEST(TickerText, StatusTextCarriesTheCountAndLeavesOutTheDisableHint) {
    const std::string tail = " DDS files found" + sp(13) + "- - -|Quorvell|- - -" + kAbout + sp(10);
    EXPECT_EQ(statusTickerText(0), sp(10) + "ALWAYS BACKUP IBTs" + sp(10) + "0" + tail);
    EXPECT_EQ(statusTickerText(1234), sp(10) + "ALWAYS BACKUP IBTs" + sp(10) + "1234" + tail);
}

TEST(TickerStep, DropsOneCharacterAndRefillsWithoutTouchingTheTitle) {
    std::string text = "abcde";
    EXPECT_EQ(tickerStep(text, 7), "bcde");
    EXPECT_EQ(tickerStep(text, 7), "cde"); // four characters still lose one
    EXPECT_EQ(tickerStep(text, 7), std::nullopt);
    EXPECT_EQ(text, statusTickerText(7));
    EXPECT_EQ(tickerStep(text, 9), statusTickerText(7).substr(1));
}

TEST(TickerStep, CountIsTakenAtTheRefill) {
    std::string text = "ab";
    EXPECT_EQ(tickerStep(text, 3), std::nullopt);
    EXPECT_NE(text.find("          3 DDS files found"), std::string::npos);
}

struct Widths {
    int i;
    int n;
    float main;
    float bannerScan;
    float bannerPreset;
};

class ProgressRule : public ::testing::TestWithParam<Widths> {};

TEST_P(ProgressRule, WidthAfterMap) {
    const Widths w = GetParam();
    EXPECT_FLOAT_EQ(mainBarWidth(w.i, w.n), w.main);
    EXPECT_FLOAT_EQ(bannerScanWidth(9850.0f / 4.0f, w.i, w.n), w.bannerScan);
    EXPECT_FLOAT_EQ(bannerPresetWidth(w.i, w.n), w.bannerPreset);
}

INSTANTIATE_TEST_SUITE_P(
    FirstMiddleLastAndSingle, ProgressRule,
    ::testing::Values(Widths{0, 3, 0.0f, 0.0f, 2462.5f}, Widths{1, 3, 2347.5f, 1231.25f, 6156.25f},
                      Widths{2, 3, 4695.0f, 2462.5f, 9850.0f}, Widths{0, 2, 0.0f, 0.0f, 2462.5f},
                      Widths{1, 2, 4695.0f, 2462.5f, 9850.0f},
                      // One map is done at once: full width.
                      Widths{0, 1, 4695.0f, 2462.5f, 9850.0f}),
    [](const ::testing::TestParamInfo<Widths>& param) {
        return "map" + std::to_string(param.param.i) + "of" + std::to_string(param.param.n);
    });

TEST(ProgressRule, BannerScanUsesTheQuarterItIsGiven) {
    // A bar left short by an earlier run: the quarter is of that width.
    EXPECT_FLOAT_EQ(bannerScanWidth(2462.5f / 4.0f, 1, 2), 615.625f);
}

TEST(Geometry, ControlsSitOnThePixelsOfTheirTwips) {
    EXPECT_EQ(toPixels(form1::kList2), QRect(37, 63, 257, 289));
    EXPECT_EQ(toPixels(form1::kCombo1), QRect(165, 40, 129, 21));
    EXPECT_EQ(toPixels(form1::kLabel3), QRect(8, 8, 25, 25));
    EXPECT_EQ(toPixels(form1::kLabel4), QRect(309, 6, 17, 13));
    EXPECT_EQ(toPixels(form1::kLabel5), QRect(301, 32, 18, 17));
    EXPECT_EQ(toPixels(form1::kLabel6), QRect(301, 56, 18, 17));
    const QRectF bar = toPixelsF(form1::kShape1);
    EXPECT_DOUBLE_EQ(bar.width(), 313.0);
    EXPECT_NEAR(bar.top(), 356.667, 0.001);
}

} // namespace
} // namespace quorvell::app
