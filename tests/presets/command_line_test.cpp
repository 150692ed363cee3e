#include "presets/command_line.h"

#include <gtest/gtest.h>

namespace quorvell::presets {
namespace {

struct ParseCase {
    const char* label;
    std::string argumentText;
    bool silent;
    bool disable;
    std::optional<std::string> working;
};

class Parse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(Parse, FlagsAndWorkingText) {
    const auto& c = GetParam();
    const auto line = parseCommandLine(c.argumentText);
    EXPECT_EQ(line.silent, c.silent);
    EXPECT_EQ(line.disable, c.disable);
    EXPECT_EQ(line.workingText, c.working);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, Parse,
    ::testing::Values(
        ParseCase{"plain_name", "no textures", false, false, "no textures"},
        ParseCase{"lower_cased", "No Textures", false, false, "no textures"},
        ParseCase{"silent", "no textures silent", true, false, "no textures"},
        ParseCase{"disable", "no textures disable", false, true, "no textures"},
        ParseCase{"silent_disable", "preset silent disable", true, true, "preset"},
        ParseCase{"disable_silent", "preset disable silent", true, true, "preset"},
        ParseCase{"keywords_any_case", "Walls SILENT DisAble", true, true, "walls"},
        ParseCase{"two_spaces_keep_one", "walls  silent", true, false, "walls "},
        ParseCase{"no_separator_eats_a_letter", "wallssilent", true, false, "wall"},
        ParseCase{"keyword_inside_a_name", "my disabled textures", false, true, "my"},
        ParseCase{"silent_inside_a_word", "presilently", true, false, "pr"},
        ParseCase{"disable_alone", "disable", false, true, std::nullopt},
        ParseCase{"silent_alone", "silent", true, false, std::nullopt},
        ParseCase{"name_starting_with_keyword", "disabled textures", false, true, std::nullopt},
        ParseCase{"silent_first", "silent walls disable", true, true, std::nullopt},
        ParseCase{"keyword_second_char_leaves_empty", " silent", true, false, ""},
        ParseCase{"first_occurrence_counts", "a silent b silent", true, false, "a"},
        ParseCase{"quotes_kept", "\"walls\" silent", true, false, "\"walls\""},
        // The silent position is counted in the uncut text, then applied to
        // the text already cut at disable.
        ParseCase{"silent_count_on_cut_text", "abcdefgh disable x silent", true, true, "abcdefgh"},
        ParseCase{"silent_before_disable_cuts_again", "ab silent cd disable", true, true, "ab"},
        ParseCase{"counts_characters_not_bytes", "\xC3\x89t\xC3\xA9 silent", true, false,
                  "\xC3\xA9t\xC3\xA9"}),
    [](const auto& tc) { return std::string(tc.param.label); });

TEST(ResultMessage, TitlesAndTextsOfTheTable) {
    const auto reset = resultMessage("no textures", false, "No Textures");
    EXPECT_EQ(reset.title, "IBTs reset");
    EXPECT_EQ(reset.text, "The following preset has been applied: No Textures. Your IBTs have "
                          "been reset, and all DDS files have been disabled. If you later want "
                          "to enable all or custom entries, run this program manually.");

    const auto disabled = resultMessage("Walls disable", true, "Walls");
    EXPECT_EQ(disabled.title, "Preset disabled");
    EXPECT_EQ(disabled.text, "The following preset has been disabled: Walls. Entries have been "
                             "removed from current configuration. You can manually or through "
                             "command line arguments reenable your preset.");

    const auto applied = resultMessage("WALLS", false, "Walls");
    EXPECT_EQ(applied.title, "Preset applied");
    EXPECT_EQ(applied.text, "The following preset has been applied: Walls. Entries have been "
                            "placed ontop of current configuration. If you later want to remove "
                            "all entries, run this program manually and select the no textures "
                            "preset.");
}

TEST(ResultMessage, ResetOnlyForTheExactUnchangedText) {
    EXPECT_EQ(resultMessage("No Textures", false, "no textures").title, "Preset applied");
    EXPECT_EQ(resultMessage("no textures silent", false, "no textures").title, "Preset applied");
    EXPECT_EQ(resultMessage("no textures disable", true, "no textures").title, "Preset disabled");
}

struct RawCase {
    const char* label;
    std::string raw;
    std::string arguments;
};

class RawCommandLine : public ::testing::TestWithParam<RawCase> {};

TEST_P(RawCommandLine, TextAfterTheProgramName) {
    EXPECT_EQ(argumentTextFromRawCommandLine(GetParam().raw), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, RawCommandLine,
    ::testing::Values(RawCase{"unquoted", "quorvell.exe walls silent", "walls silent"},
                      RawCase{"quoted_with_spaces", "\"C:\\My Tools\\quorvell.exe\" walls  silent",
                              "walls  silent"},
                      RawCase{"name_only", "quorvell.exe", ""},
                      RawCase{"quoted_name_only", "\"C:\\a b\\q.exe\"", ""},
                      RawCase{"separator_run_dropped", "q.exe \t  walls", "walls"},
                      RawCase{"trailing_and_quotes_kept", "q.exe \"no textures\" ",
                              "\"no textures\" "},
                      RawCase{"text_right_after_closing_quote", "\"q.exe\"walls", "walls"},
                      RawCase{"unclosed_quote", "\"C:\\a b\\q.exe walls", ""},
                      RawCase{"tab_separator", "q.exe\twalls", "walls"}, RawCase{"empty", "", ""}),
    [](const auto& tc) { return std::string(tc.param.label); });

TEST(ArgsCommandLine, JoinedBySingleSpaces) {
    EXPECT_EQ(argumentTextFromArgs({}), "");
    EXPECT_EQ(argumentTextFromArgs({"walls"}), "walls");
    EXPECT_EQ(argumentTextFromArgs({"no", "textures", "silent"}), "no textures silent");
    // A quoted shell argument keeps its inner spaces.
    EXPECT_EQ(argumentTextFromArgs({"walls  silent"}), "walls  silent");
    EXPECT_EQ(argumentTextFromArgs({"", "x"}), " x");
}

} // namespace
} // namespace quorvell::presets
