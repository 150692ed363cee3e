#include "patching/map_file.h"
#include "patching/reference_edit.h"

#include <gtest/gtest.h>

namespace quorvell::patching {
namespace {

std::string padded(std::string_view text) {
    std::string window(text);
    window.resize(64, '\0');
    return window;
}

TEST(ReferenceEdit, WorkedExampleOnAndOffRestoresTheField) {
    const auto found = padded("Wall_a");
    const auto on = switchOnBytes("Wall_a", found);
    ASSERT_TRUE(on);
    EXPECT_EQ(*on, "Wall_a__overridden"); // the NUL after it is already there
    auto field = found;
    field.replace(0, on->size(), *on);
    EXPECT_EQ(field, padded("Wall_a__overridden"));

    const auto off = switchOffBytes("Wall_a");
    EXPECT_EQ(off, std::string("Wall_a") + std::string(12, '\0'));
    field.replace(0, off.size(), off);
    EXPECT_EQ(field, found);
}

TEST(ReferenceEdit, SwitchOnEndsTheReferenceWhereTheFieldIsNotPadded) {
    // After the plain name's NUL the field holds leftovers of a longer name.
    auto window = std::string("Wall_a\0", 7) + std::string(57, 'x');
    const auto on = switchOnBytes("Wall_a", window);
    ASSERT_TRUE(on);
    EXPECT_EQ(*on, std::string("Wall_a__overridden\0", 19));
}

TEST(ReferenceEdit, SwitchOnIsLimitedToBaseNamesThatStillFitTheWindow) {
    const std::string longest(kMaxSwitchOnBase, 'a');
    const auto on = switchOnBytes(longest, padded(longest));
    ASSERT_TRUE(on);
    EXPECT_EQ(on->size(), 63u); // the window's last byte stays its NUL
    const auto nonPadded = longest + '\0' + std::string(12, 'y');
    EXPECT_EQ(switchOnBytes(longest, nonPadded)->size(), 64u);

    const std::string tooLong(kMaxSwitchOnBase + 1, 'a');
    EXPECT_FALSE(switchOnBytes(tooLong, padded(tooLong)));
}

TEST(BaseName, DropsFourCharactersNotBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"Wall_a.dds", "Wall_a"},
        {"Wall_a.DDS", "Wall_a"},
        {"M\xC3\xBCr.dds", "M\xC3\xBCr"},
        {"Wall\xE2\x82\xAC.dds", "Wall\xE2\x82\xAC"},
        {"ab\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC", "ab"},
        {".dds", ""},
        {"abc", ""},
        {"", ""},
    };
    for (const auto& [row, base] : cases) {
        EXPECT_EQ(baseNameOf(row), base) << row;
    }
}

TEST(BaseName, AnsiFormIsWhatTheMapHolds) {
    EXPECT_EQ(ansiBaseNameOf("M\xC3\xBCr.dds"), std::optional<std::string>("M\xFCr"));
    EXPECT_EQ(ansiBaseNameOf("\xE2\x82\xAC.dds"), std::optional<std::string>("\x80"));
    EXPECT_FALSE(ansiBaseNameOf("\xE4\xB8\xAD.dds")); // no Windows-1252 form
    EXPECT_FALSE(ansiBaseNameOf(".dds"));
}

} // namespace
} // namespace quorvell::patching
