#include "base/ansi_text.h"

#include <gtest/gtest.h>

namespace quorvell::ansi {
namespace {

TEST(AnsiText, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const auto utf8 = toUtf8(byte);
        EXPECT_EQ(fromUtf8(utf8), std::optional<std::string>(byte)) << "byte " << b;
        EXPECT_EQ(fromUtf8Lossy(utf8), byte) << "byte " << b;
    }
}

TEST(AnsiText, Windows1252Mapping) {
    const std::pair<std::string, std::string> cases[] = {
        {"\x80", "\xE2\x82\xAC"}, // euro sign
        {"\x8A", "\xC5\xA0"},     // S caron
        {"\x9F", "\xC5\xB8"},     // Y diaeresis
        {"\x81", "\xC2\x81"},     // undefined in the code page: the C1 control
        {"\x9D", "\xC2\x9D"},     {"\xA0", "\xC2\xA0"}, {"\xFC", "\xC3\xBC"}, {"Wall_a", "Wall_a"},
    };
    for (const auto& [ansi, utf8] : cases) {
        EXPECT_EQ(toUtf8(ansi), utf8);
        EXPECT_EQ(fromUtf8(utf8), std::optional<std::string>(ansi));
    }
    // C1 controls that the code page replaces have no ANSI form.
    EXPECT_FALSE(fromUtf8("\xC2\x80"));
}

TEST(AnsiText, CharactersWithoutAnAnsiFormMatchNothingOrBecomeQuestionMarks) {
    const std::string han = "a\xE4\xB8\xAD"
                            "b"; // U+4E2D
    const std::string emoji = "a\xF0\x9F\x98\x80"
                              "b"; // outside the BMP
    EXPECT_FALSE(fromUtf8(han));
    EXPECT_FALSE(fromUtf8(emoji));
    EXPECT_EQ(fromUtf8Lossy(han), "a?b");
    EXPECT_EQ(fromUtf8Lossy(emoji), "a?b");
    EXPECT_EQ(fromUtf16Lossy(u"a\u4E2D\U0001F600\u00FC"), "a??\xFC");
    EXPECT_EQ(fromUtf16Lossy(std::u16string(1, char16_t(0xD800))), "?");
}

TEST(AnsiText, MalformedUtf8HasNoAnsiForm) {
    for (const std::string bad : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xFF", "a\x80"}) {
        EXPECT_FALSE(fromUtf8(bad));
        EXPECT_EQ(fromUtf8Lossy(bad).find('\0'), std::string::npos);
    }
    EXPECT_EQ(fromUtf8Lossy("a\xC3"), "a?");
}

} // namespace
} // namespace quorvell::ansi
