// The system's ANSI code page as the game's files use it. Under Wine and on
// Western Windows that is Windows-1252; other code pages are only checked to
// round-trip.

#include "base/ansi_text.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

using namespace quorvell::ansi;

class AnsiTextWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (GetACP() != 1252) {
            GTEST_SKIP() << "ANSI code page " << GetACP() << ", not Windows-1252";
        }
    }
};

TEST_F(AnsiTextWinTest, Windows1252BytesBothWays) {
    const std::string utf8 = "\xc3\x9c"
                             "berwald \xe2\x82\xac \xc5\x93"; // Überwald € œ
    const std::string ansi = "\xdc"
                             "berwald \x80 \x9c";
    EXPECT_EQ(fromUtf8(utf8), ansi);
    EXPECT_EQ(toUtf8(ansi), utf8);
}

TEST_F(AnsiTextWinTest, NoBestFitSubstitutes) {
    // Windows would turn ā into a and ∞ into 8; a name must not change into
    // another name.
    EXPECT_EQ(fromUtf8("W\xc4\x81ll"), std::nullopt);
    EXPECT_EQ(fromUtf8("\xe2\x88\x9e"), std::nullopt);
    EXPECT_EQ(fromUtf8Lossy("W\xc4\x81ll \xe2\x88\x9e"), "W?ll ?");
    EXPECT_EQ(fromUtf16Lossy(u"\u0101x"), "?x");
}

TEST(AnsiTextWinAnyCodePageTest, EveryByteRoundTrips) {
    if (GetACP() != 1252 && GetACP() != 1251 && GetACP() != 1250) {
        GTEST_SKIP() << "multi-byte or UTF-8 ANSI code page " << GetACP();
    }
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(fromUtf8(toUtf8(all)), all);
}

} // namespace
