#include "base/utf8.h"

#include <gtest/gtest.h>

namespace quorvell::utf8 {
namespace {

TEST(Utf8, MalformedSequencesAreRefusedOrReplaced) {
    // Overlong, surrogate, past U+10FFFF, truncated, stray continuation.
    for (const std::string bad :
         {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82", "\x80"}) {
        EXPECT_EQ(toUtf16(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(toUtf16Lossy("a\xE2\x82"
                           "b"),
              u"a\uFFFD\uFFFDb");
    EXPECT_EQ(toUtf16("\xF0\x9F\x98\x80\xC3\xA9"), std::u16string(u"\U0001F600\u00E9"));
}

TEST(Utf8, UnpairedSurrogatesEitherWay) {
    const std::u16string text{u'a', char16_t(0xD800), u'b', char16_t(0xDC01)};
    EXPECT_EQ(fromUtf16(text), "a\xEF\xBF\xBD"
                               "b\xEF\xBF\xBD");
    EXPECT_EQ(fromUtf16KeepingSurrogates(text), "a\xED\xA0\x80"
                                                "b\xED\xB0\x81");
    EXPECT_EQ(fromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(Utf8, NameCharsKeepStrayBytes) {
    EXPECT_EQ(decodeNameChar("\xC3\xA9", 0).code, 0xE9u);
    const NameChar stray = decodeNameChar("x\xFF", 1);
    EXPECT_EQ(stray.code, 0xDCFFu);
    EXPECT_EQ(stray.length, 1u);
}

TEST(Utf8, CharactersCountedNotBytes) {
    EXPECT_EQ(charCount("\xC3\x89t\xC3\xA9"), 3u);
    EXPECT_EQ(leftChars("\xC3\x89t\xC3\xA9", 2), "\xC3\x89t");
    EXPECT_EQ(leftChars("ab", 5), "ab");
}

} // namespace
} // namespace quorvell::utf8
