#include "presets/preset_marks.h"

#include <gtest/gtest.h>

namespace quorvell::presets {
namespace {

using Lines = std::vector<std::string>;
using Marks = std::vector<bool>;

const Lines kRows = {"Wall_a.dds", "Wall_b.dds", "Floor.dds", "Wall_a.dds", "wall_c.dds"};

PhaseOneResult run(const Lines& list5, std::string_view name, bool remove, const Marks& marks) {
    return markPreset(PresetLines(list5), name, remove, kRows, marks);
}

struct MarksCase {
    const char* label;
    Lines list5;
    bool remove;
    Marks before;
    Marks after;
};

class Proceeds : public ::testing::TestWithParam<MarksCase> {};

TEST_P(Proceeds, GivesTheseMarks) {
    const auto& c = GetParam();
    const auto result = run(c.list5, "p", c.remove, c.before);
    EXPECT_EQ(result.status, PhaseOneStatus::Proceed);
    EXPECT_EQ(result.marks, c.after);
}

const Marks kNone(5, false);
const Marks kAll(5, true);
const Marks kMixed = {true, false, true, true, false};

INSTANTIATE_TEST_SUITE_P(
    PhaseOne, Proceeds,
    ::testing::Values(
        MarksCase{"star_checks_all", {"p{", "*", "}"}, false, kNone, kAll},
        MarksCase{"xbrick_unchecks_all", {"p{", "xbrick", "}"}, false, kMixed, kNone},
        MarksCase{"xbrick_then_names_leaves_exactly_those",
                  {"p{", "xbrick", "Wall_b.dds", "Floor.dds", "}"},
                  false,
                  kMixed,
                  {false, true, true, false, false}},
        MarksCase{"names_then_xbrick_leaves_none",
                  {"p{", "Wall_b.dds", "xbrick", "}"},
                  false,
                  kMixed,
                  kNone},
        MarksCase{"star_after_names_checks_all",
                  {"p{", "Wall_b.dds", "*", "Floor.dds", "}"},
                  false,
                  kNone,
                  kAll},
        MarksCase{"applying_sits_on_top",
                  {"p{", "Wall_b.dds", "}"},
                  false,
                  kMixed,
                  {true, true, true, true, false}},
        MarksCase{"duplicate_rows_all_change",
                  {"p{", "Wall_a.dds", "}"},
                  false,
                  kNone,
                  {true, false, false, true, false}},
        MarksCase{"removing_unchecks_named_rows_only",
                  {"p{", "Wall_a.dds", "Floor.dds", "}"},
                  true,
                  kAll,
                  {false, true, false, false, true}},
        MarksCase{"case_and_spaces_match_nothing",
                  {"p{", "WALL_A.DDS", "Wall_b.dds ", " Floor.dds", "Wall_C.dds", "", "}"},
                  false,
                  kNone,
                  kNone},
        MarksCase{"text_after_brace_ignored", {"p{Wall_b.dds", "}"}, false, kNone, kNone},
        MarksCase{"other_presets_and_outside_lines_ignored",
                  {"Wall_a.dds", "q{", "Floor.dds", "}", "p {", "Floor.dds", "}", "Wall_b.dds", "}",
                   "P{", "Floor.dds", "}"},
                  false,
                  kNone,
                  kNone},
        MarksCase{"every_block_of_the_name_in_file_order",
                  {"p{", "Wall_b.dds", "}", "q{", "*", "}", "p{", "xbrick", "Floor.dds", "}"},
                  false,
                  kMixed,
                  {false, false, true, false, false}},
        MarksCase{"missing_close_runs_into_next_block",
                  {"p{", "Wall_b.dds", "q{", "Floor.dds", "}", "wall_c.dds", "}"},
                  false,
                  kNone,
                  {false, true, true, false, false}},
        // Only the block being run swallows name lines; another preset's
        // block is never opened, so a name line inside it still counts.
        MarksCase{"name_line_inside_another_block_counts",
                  {"q{", "p{", "Floor.dds", "}", "Wall_b.dds", "}"},
                  false,
                  kNone,
                  {false, false, true, false, false}},
        MarksCase{"name_line_inside_own_block_is_an_entry",
                  {"p{", "p{", "Floor.dds", "}"},
                  false,
                  kNone,
                  {false, false, true, false, false}},
        MarksCase{"unknown_name_changes_nothing", {"q{", "*", "}"}, false, kMixed, kMixed},
        MarksCase{"empty_block", {"p{", "}"}, true, kMixed, kMixed},
        MarksCase{"removing_every_block",
                  {"p{", "Wall_a.dds", "}", "p{", "Floor.dds", "}"},
                  true,
                  kAll,
                  {false, true, false, false, true}}),
    [](const auto& tc) { return std::string(tc.param.label); });

struct StopCase {
    const char* label;
    Lines list5;
    bool remove;
    PhaseOneStatus status;
};

class LeavesMarksAlone : public ::testing::TestWithParam<StopCase> {};

// A run that stops or fails hands back the marks exactly as they came in,
// whatever the block changed before it got there: the list must not claim
// states the maps were never brought to.
TEST_P(LeavesMarksAlone, OnStopOrError) {
    const auto& c = GetParam();
    const auto result = run(c.list5, "p", c.remove, kMixed);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.marks, kMixed);
}

INSTANTIATE_TEST_SUITE_P(
    PhaseOne, LeavesMarksAlone,
    ::testing::Values(
        StopCase{"removing_star", {"p{", "*", "}"}, true, PhaseOneStatus::StoppedBySpecialEntry},
        StopCase{"removing_xbrick_after_entries",
                 {"p{", "Wall_a.dds", "Floor.dds", "xbrick", "}"},
                 true,
                 PhaseOneStatus::StoppedBySpecialEntry},
        StopCase{"removing_star_in_second_block",
                 {"p{", "Wall_a.dds", "}", "p{", "*", "}"},
                 true,
                 PhaseOneStatus::StoppedBySpecialEntry},
        StopCase{"unterminated_applying",
                 {"p{", "Wall_b.dds", "wall_c.dds"},
                 false,
                 PhaseOneStatus::UnterminatedBlock},
        StopCase{
            "unterminated_removing", {"p{", "Wall_a.dds"}, true, PhaseOneStatus::UnterminatedBlock},
        StopCase{
            "name_line_is_last_line", {"x{", "}", "p{"}, false, PhaseOneStatus::UnterminatedBlock},
        StopCase{"later_block_unterminated",
                 {"p{", "Wall_b.dds", "}", "p{", "wall_c.dds"},
                 false,
                 PhaseOneStatus::UnterminatedBlock},
        StopCase{"star_then_unterminated", {"p{", "*"}, false, PhaseOneStatus::UnterminatedBlock}),
    [](const auto& tc) { return std::string(tc.param.label); });

TEST(PhaseOne, NamesCompareExactlyWithSpacesAndCase) {
    const Lines list5 = {"walls {", "Floor.dds", "}", "Walls{", "Wall_b.dds", "}"};
    EXPECT_EQ(run(list5, "walls", false, kNone).marks, kNone);
    EXPECT_EQ(run(list5, "walls ", false, kNone).marks, (Marks{false, false, true, false, false}));
    EXPECT_EQ(run(list5, "Walls", false, kNone).marks, (Marks{false, true, false, false, false}));
}

TEST(PhaseOne, EmptyNameIsAName) {
    const Lines list5 = {"{", "Floor.dds", "}"};
    EXPECT_EQ(run(list5, "", false, kNone).marks, (Marks{false, false, true, false, false}));
}

TEST(PhaseOne, ANameThatIsAClosingBraceStillOpensItsBlock) {
    const Lines list5 = {"}{", "Floor.dds", "}", "Wall_b.dds{", "}"};
    EXPECT_EQ(run(list5, "}", false, kNone).marks, (Marks{false, false, true, false, false}));
}

TEST(PhaseOne, ApplyingTwiceEqualsApplyingOnce) {
    const Lines list5 = {"p{", "xbrick", "Wall_a.dds", "}"};
    const auto once = run(list5, "p", false, kMixed).marks;
    EXPECT_EQ(run(list5, "p", false, once).marks, once);
}

TEST(PhaseOne, EmptyListsAreFine) {
    const auto result = markPreset({"p{", "*", "}"}, "p", false, {}, {});
    EXPECT_EQ(result.status, PhaseOneStatus::Proceed);
    EXPECT_TRUE(result.marks.empty());
}

TEST(PhaseOne, RefusesMarksThatDoNotFitTheRows) {
    EXPECT_THROW((void)markPreset({}, "p", false, kRows, Marks(2)), std::invalid_argument);
}

} // namespace
} // namespace quorvell::presets
