#include "patching/map_file.h"
#include "tests/support/map_builder.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace quorvell::patching {
namespace {

using testing::MapBuilder;
using testing::readFile;
using testing::TempDir;

TextureRows rowsOf(std::initializer_list<const char*> texts) {
    TextureRows rows;
    for (const char* text : texts) {
        rows.push_back({text, false});
    }
    return rows;
}

class ScanTest : public ::testing::Test {
protected:
    std::filesystem::path map(std::initializer_list<std::string> references) {
        MapBuilder builder;
        for (const auto& r : references) {
            builder.texture(r);
        }
        return dir.write("m" + std::to_string(++count) + ".ibt", builder.end().tail(99).bytes());
    }
    std::vector<std::size_t> scan(const std::filesystem::path& path, const TextureRows& rows) {
        list1.clear();
        return scanMap(path, ScanIndex(rows), list1);
    }

    TempDir dir;
    int count = 0;
    ReferenceSet list1;
};

using Marks = std::vector<std::size_t>;

TEST_F(ScanTest, OverriddenReferenceMarksItsRow) {
    const auto rows = rowsOf({"Stone.dds", "Wall_a.dds", "Door.DDS"});
    EXPECT_EQ(scan(map({"Stone", "Wall_a__overridden", "Door"}), rows), Marks{1});
    EXPECT_EQ(scan(map({"Stone", "Wall_a", "Door"}), rows), Marks{});
    EXPECT_EQ(scan(map({"Door__overridden", "Stone__overridden"}), rows), (Marks{2, 0}));
}

TEST_F(ScanTest, List1HoldsEachCustomReferenceOnceAsItStands) {
    const auto rows = rowsOf({"Wall_a.dds"});
    const auto path = map({"Wall_a__overridden", "Rock", "Wall_a", "Wall_a__overridden"});
    EXPECT_EQ(scan(path, rows), Marks{0});
    EXPECT_EQ(list1, (ReferenceSet{"Wall_a__overridden", "Wall_a"}));
}

TEST_F(ScanTest, ReferenceAlreadyInList1SetsNoMark) {
    const auto rows = rowsOf({"Wall_a.dds"});
    list1 = {"Wall_a__overridden"};
    EXPECT_EQ(scanMap(map({"Wall_a__overridden"}), ScanIndex(rows), list1), Marks{});
}

TEST_F(ScanTest, MatchingIsExactAndCaseSensitive) {
    const auto rows = rowsOf({"Wall_a.dds"});
    EXPECT_EQ(scan(map({"wall_a__overridden", "Wall_a__Overridden", "Wall_ax__overridden",
                        "Wall_a__overridden__overridden", "Wall_a_overridden"}),
                   rows),
              Marks{});
    EXPECT_TRUE(list1.empty());
}

TEST_F(ScanTest, FirstMatchingRowDecides) {
    // Two rows with the same file name (two texture folders): only the first.
    EXPECT_EQ(scan(map({"Wall_a__overridden"}), rowsOf({"Wall_a.dds", "Wall_a.dds"})), Marks{0});
    // "A__overridden" is row 0's plain reference and row 1's overridden one.
    EXPECT_EQ(scan(map({"A__overridden"}), rowsOf({"A__overridden.dds", "A.dds"})), Marks{0});
    EXPECT_EQ(scan(map({"A__overridden"}), rowsOf({"A.dds", "A__overridden.dds"})), Marks{0});
}

TEST_F(ScanTest, BaseNameHoldingTheSuffixCountsAsSwitchedOnWhenPlain) {
    const auto rows = rowsOf({"Glass__overridden.dds"});
    EXPECT_EQ(scan(map({"Glass__overridden"}), rows), Marks{0});
    EXPECT_EQ(scan(map({"Glass__overridden", "Glass__overridden__overridden"}), rows), Marks{0});
}

TEST_F(ScanTest, RowTextsAreComparedAsAnsiBytes) {
    const auto path = map({"M\xFCr__overridden"});
    EXPECT_EQ(scan(path, rowsOf({"M\xC3\xBCr.dds"})), Marks{0});
    EXPECT_EQ(scan(path, rowsOf({"\xE4\xB8\xAD.dds", "M\xC3\xBCr.dds"})), Marks{1});
}

TEST_F(ScanTest, ScanWritesNothing) {
    const auto path = map({"Wall_a__overridden", "Wall_a"});
    const auto before = readFile(path);
    scan(path, rowsOf({"Wall_a.dds"}));
    EXPECT_EQ(readFile(path), before);
}

TEST_F(ScanTest, MapsWithoutSignatureOrVanishedYieldNothing) {
    const auto rows = rowsOf({"Wall_a.dds"});
    auto bytes = MapBuilder().texture("Wall_a__overridden").end().bytes();
    bytes[3] = 'X';
    EXPECT_EQ(scan(dir.write("bad.ibt", bytes), rows), Marks{});
    const auto gone = dir.path() / "gone.ibt";
    EXPECT_EQ(scan(gone, rows), Marks{});
    EXPECT_FALSE(std::filesystem::exists(gone));
}

TEST_F(ScanTest, YieldsWhileItWorks) {
    int yields = 0;
    scanMap(map({"Wall_a"}), ScanIndex(rowsOf({"Wall_a.dds"})), list1, [&] { ++yields; });
    EXPECT_GE(yields, 1);
}

} // namespace
} // namespace quorvell::patching
