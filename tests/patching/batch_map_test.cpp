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
    return testing::mapOfTextures({references}, 300);
}

class BatchTest : public ::testing::Test {
protected:
    // Runs the batch on a map of the given references; returns the new ones.
    std::string run(std::initializer_list<std::string> references, const TextureRows& rows,
                    PatchOutcome* outcome = nullptr) {
        const auto path = dir.write("m.ibt", mapOf(references));
        const auto result = patchPresetInMap(path, BatchIndex(rows));
        if (outcome) {
            *outcome = result;
        }
        return readFile(path);
    }
    TempDir dir;
};

TEST_F(BatchTest, BringsEveryReferenceInLineWithTheCheckMarks) {
    const TextureRows rows{{"On.dds", true}, {"Off.dds", false}, {"Same.dds", true}};
    PatchOutcome outcome;
    EXPECT_EQ(
        run({"On", "Off__overridden", "Same__overridden", "On", "Rock", "Off"}, rows, &outcome),
        mapOf({"On__overridden", "Off", "Same__overridden", "On__overridden", "Rock", "Off"}));
    EXPECT_EQ(outcome.referencesChanged, 3u);
}

TEST_F(BatchTest, MapThatAlreadyAgreesIsLeftByteForByte) {
    const TextureRows rows{{"On.dds", true}, {"Off.dds", false}};
    PatchOutcome outcome;
    EXPECT_EQ(run({"On__overridden", "Off", "Rock"}, rows, &outcome),
              mapOf({"On__overridden", "Off", "Rock"}));
    EXPECT_EQ(outcome.referencesChanged, 0u);
}

// The decision for one reference, table-driven over the tricky row lists.
struct DecideCase {
    const char* name;
    TextureRows rows;
    std::string reference;
    std::optional<BatchIndex::Action> action;
    std::size_t row;
};

class Decide : public ::testing::TestWithParam<DecideCase> {};

TEST_P(Decide, FirstMatchingRowThatDisagreesDecides) {
    const auto& c = GetParam();
    const auto decision = BatchIndex(c.rows).decide(c.reference);
    ASSERT_EQ(decision.has_value(), c.action.has_value());
    if (decision) {
        EXPECT_EQ(decision->action, *c.action);
        EXPECT_EQ(decision->row, c.row);
    }
}

using A = BatchIndex::Action;
INSTANTIATE_TEST_SUITE_P(
    Rows, Decide,
    ::testing::Values(
        DecideCase{"CheckedPlain", {{"A.dds", true}}, "A", A::SwitchOn, 0},
        DecideCase{"CheckedOverridden", {{"A.dds", true}}, "A__overridden", std::nullopt, 0},
        DecideCase{"UncheckedOverridden", {{"A.dds", false}}, "A__overridden", A::SwitchOff, 0},
        DecideCase{"UncheckedPlain", {{"A.dds", false}}, "A", std::nullopt, 0},
        DecideCase{"DuplicateAgreeingRowDoesNotStopTheSearch",
                   {{"A.dds", true}, {"A.dds", false}},
                   "A__overridden",
                   A::SwitchOff,
                   1},
        DecideCase{"DuplicateFirstDisagreeingRow",
                   {{"A.dds", true}, {"A.dds", false}},
                   "A",
                   A::SwitchOn,
                   0},
        DecideCase{
            "DuplicatesThatAgree", {{"A.dds", false}, {"A.dds", false}}, "A", std::nullopt, 0},
        DecideCase{"SuffixedBaseCheckedSwitchesOnAgain",
                   {{"A__overridden.dds", true}, {"A.dds", false}},
                   "A__overridden",
                   A::SwitchOn,
                   0},
        DecideCase{"SuffixedBaseAgreesThenPlainRowSwitchesOff",
                   {{"A__overridden.dds", false}, {"A.dds", false}},
                   "A__overridden",
                   A::SwitchOff,
                   1},
        DecideCase{"BothAgree",
                   {{"A__overridden.dds", false}, {"A.dds", true}},
                   "A__overridden",
                   std::nullopt,
                   0},
        DecideCase{"CaseMatters", {{"a.dds", true}}, "A", std::nullopt, 0},
        DecideCase{"NoAnsiFormSkipped",
                   {{"\xE4\xB8\xAD.dds", true}, {"A.dds", true}},
                   "A",
                   A::SwitchOn,
                   1}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(BatchTest, DuplicateRowsWithDifferentMarksFlipTheReferenceEachRun) {
    const TextureRows rows{{"A.dds", true}, {"A.dds", false}};
    const auto path = dir.write("m.ibt", mapOf({"A"}));
    patchPresetInMap(path, BatchIndex(rows));
    EXPECT_EQ(readFile(path), mapOf({"A__overridden"}));
    patchPresetInMap(path, BatchIndex(rows));
    EXPECT_EQ(readFile(path), mapOf({"A"}));
}

TEST_F(BatchTest, SwitchingOffUsesTheDecidingRowsBaseName) {
    // "A__overridden" is switched off as row 1's overridden reference.
    const TextureRows rows{{"A__overridden.dds", false}, {"A.dds", false}};
    EXPECT_EQ(run({"A__overridden"}, rows), mapOf({"A"}));
    const TextureRows on{{"A__overridden.dds", true}};
    EXPECT_EQ(run({"A__overridden"}, on), mapOf({"A__overridden__overridden"}));
}

TEST_F(BatchTest, ReportsTexturesTooLongToSwitchOnOncePerMap) {
    const std::string base(55, 'L');
    const TextureRows rows{{base + ".dds", true}, {"On.dds", true}};
    PatchOutcome outcome;
    EXPECT_EQ(run({base, "On", base}, rows, &outcome), mapOf({base, "On__overridden", base}));
    EXPECT_EQ(outcome.notSwitchedOn, std::vector<std::string>{base + ".dds"});
}

TEST_F(BatchTest, VanishedMapIsSkippedAndNotCreated) {
    const auto gone = dir.path() / "gone.ibt";
    EXPECT_TRUE(patchPresetInMap(gone, BatchIndex({{"A.dds", true}})).vanished);
    EXPECT_FALSE(std::filesystem::exists(gone));
}

// A dry run must foretell the batch exactly, refusals included, and write nothing.
TEST_F(BatchTest, CountingChangesAgreesWithTheBatchAndWritesNothing) {
    const std::string longBase(55, 'L');
    const TextureRows rows{{longBase + ".dds", true},
                           {"On.dds", true},
                           {"Off.dds", false},
                           {"A.dds", true},
                           {"A.dds", false}};
    const std::string bytes =
        mapOf({"On", longBase, "Off__overridden", "On__overridden", "A", "Rock", "Off", "On"});
    const auto path = dir.write("m.ibt", bytes);
    const PatchOutcome counted = countPresetChanges(path, BatchIndex(rows));
    EXPECT_EQ(readFile(path), bytes);
    const PatchOutcome done = patchPresetInMap(path, BatchIndex(rows));
    EXPECT_EQ(counted.referencesChanged, done.referencesChanged);
    EXPECT_EQ(counted.referencesChanged, 4u);
    EXPECT_EQ(counted.notSwitchedOn, done.notSwitchedOn);

    const auto gone = dir.path() / "gone.ibt";
    EXPECT_TRUE(countPresetChanges(gone, BatchIndex(rows)).vanished);
    EXPECT_FALSE(std::filesystem::exists(gone));
}

} // namespace
} // namespace quorvell::patching
