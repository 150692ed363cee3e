#include "patching/map_file.h"
#include "tests/support/map_builder.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace quorvell::patching {
namespace {

using testing::MapBuilder;
using testing::readFile;
using testing::TempDir;

std::string mapOf(std::initializer_list<std::string> references) {
    return testing::mapOfTextures({references}, 500);
}

class ToggleTest : public ::testing::Test {
protected:
    PatchOutcome toggle(const std::filesystem::path& path, std::string_view row, bool on = true) {
        return switchTextureInMap(path, ToggleTarget(row, on));
    }
    TempDir dir;
};

TEST_F(ToggleTest, SwitchesEveryPlainReferenceOnAndBackByteForByte) {
    const auto found = mapOf({"Wall_a", "Stone", "Wall_a", "Wall_ax"});
    const auto path = dir.write("a.ibt", found);
    const auto on = toggle(path, "Wall_a.dds");
    EXPECT_EQ(on.referencesChanged, 2u);
    EXPECT_EQ(readFile(path),
              mapOf({"Wall_a__overridden", "Stone", "Wall_a__overridden", "Wall_ax"}));
    const auto off = toggle(path, "Wall_a.dds", false);
    EXPECT_EQ(off.referencesChanged, 2u);
    EXPECT_EQ(readFile(path), found);
}

TEST_F(ToggleTest, SetsEveryReferenceToTheWantedStateWhateverItWas) {
    const auto path = dir.write("a.ibt", mapOf({"Wall_a__overridden", "Wall_a"}));
    EXPECT_EQ(toggle(path, "Wall_a.DDS", false).referencesChanged, 1u);
    EXPECT_EQ(readFile(path), mapOf({"Wall_a", "Wall_a"}));
    EXPECT_EQ(toggle(path, "Wall_a.dds", false).referencesChanged, 0u);
    toggle(path, "Wall_a.dds");
    EXPECT_EQ(toggle(path, "Wall_a.dds").referencesChanged, 0u);
    EXPECT_EQ(readFile(path), mapOf({"Wall_a__overridden", "Wall_a__overridden"}));
}

TEST_F(ToggleTest, LeavesOtherReferencesAlone) {
    const auto found = mapOf({"wall_a", "Wall_a__overridden__overridden", "Wall_a_", "Wall"});
    const auto path = dir.write("a.ibt", found);
    EXPECT_EQ(toggle(path, "Wall_a.dds").referencesChanged, 0u);
    EXPECT_EQ(toggle(path, "Wall_a.dds", false).referencesChanged, 0u);
    EXPECT_EQ(readFile(path), found);
}

TEST_F(ToggleTest, SwitchedOnReferenceIsEndedInsideAFieldThatWasNotPadded) {
    auto window = std::string("Wall_a\0", 7) + std::string(57, 'x');
    const auto path = dir.write("a.ibt", MapBuilder().rawWindow(0x08, window).end().bytes());
    toggle(path, "Wall_a.dds");
    ReferenceSet list1;
    const TextureRows rows{{"Wall_a.dds", false}};
    EXPECT_EQ(scanMap(path, ScanIndex(rows), list1), std::vector<std::size_t>{0});
    EXPECT_EQ(list1, ReferenceSet{"Wall_a__overridden"});
}

TEST_F(ToggleTest, RefusesToSwitchOnABaseNameTooLongForTheField) {
    const std::string base(52, 'L');
    const auto found = mapOf({base, "Wall_a", base});
    const auto path = dir.write("a.ibt", found);
    const auto outcome = toggle(path, base + ".dds");
    EXPECT_EQ(outcome.referencesChanged, 0u);
    EXPECT_EQ(outcome.notSwitchedOn, std::vector<std::string>{base + ".dds"});
    EXPECT_EQ(readFile(path), found);

    const std::string longest(51, 'L');
    const auto fits = dir.write("b.ibt", mapOf({longest}));
    EXPECT_EQ(toggle(fits, longest + ".dds").referencesChanged, 1u);
    EXPECT_EQ(readFile(fits), mapOf({longest + "__overridden"}));
}

TEST_F(ToggleTest, NamesWithoutAnAnsiFormOrBaseMatchNothing) {
    const auto found = mapOf({"__overridden", "?", "Wall_a"});
    const auto path = dir.write("a.ibt", found);
    EXPECT_EQ(toggle(path, ".dds").referencesChanged, 0u);
    EXPECT_EQ(toggle(path, "\xE4\xB8\xAD.dds").referencesChanged, 0u);
    EXPECT_EQ(readFile(path), found);
}

TEST_F(ToggleTest, WritesAnsiBytesForUtf8RowTexts) {
    const auto path = dir.write("a.ibt", mapOf({"M\xFCr"}));
    toggle(path, "M\xC3\xBCr.dds");
    EXPECT_EQ(readFile(path), mapOf({"M\xFCr__overridden"}));
}

TEST_F(ToggleTest, VanishedMapIsSkippedAndNotCreated) {
    const auto gone = dir.path() / "gone.ibt";
    EXPECT_TRUE(toggle(gone, "Wall_a.dds").vanished);
    EXPECT_FALSE(std::filesystem::exists(gone));
}

TEST_F(ToggleTest, MapWithoutSignatureIsLeftUnchanged) {
    auto bytes = mapOf({"Wall_a"});
    bytes[0] = '\x02';
    const auto path = dir.write("a.ibt", bytes);
    EXPECT_EQ(toggle(path, "Wall_a.dds").referencesChanged, 0u);
    EXPECT_EQ(readFile(path), bytes);
}

} // namespace
} // namespace quorvell::patching
