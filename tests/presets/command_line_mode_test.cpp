#include "base/io_error.h"
#include "presets/command_line_mode.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace quorvell::presets {
namespace {

using Calls = std::vector<std::string>;

// Records every hook call in order; a stage can be told to throw.
struct FakeProgram {
    std::vector<std::string> presets = {"no textures", "Walls", "all textures"};
    std::string throwAt; // "banner", "game", "scan", "names", "enable:<name>", "message"
    Calls calls;
    Calls out;
    Calls err;

    void maybeThrow(const std::string& stage) const {
        if (stage == throwAt) {
            throw IoError("C:\\Games\\x.ibt", "broken at " + stage);
        }
    }

    CommandLineHooks hooks() {
        CommandLineHooks h;
        h.showBanner = [this] {
            calls.push_back("banner");
            maybeThrow("banner");
        };
        h.checkGameFound = [this] {
            calls.push_back("game");
            maybeThrow("game");
        };
        h.scanAllMaps = [this] {
            calls.push_back("scan");
            maybeThrow("scan");
        };
        h.presetNames = [this] {
            maybeThrow("names");
            return presets;
        };
        h.enablePreset = [this](const std::string& name, bool disable) {
            calls.push_back((disable ? "remove:" : "apply:") + name);
            maybeThrow("enable:" + name);
        };
        h.showMessage = [this](const std::string& title, const std::string& text, bool error) {
            calls.push_back((error ? "error-box:" : "box:") + title + "|" +
                            text.substr(0, text.find('.')));
            maybeThrow("message");
        };
        h.printOut = [this](const std::string& line) { out.push_back(line); };
        h.printErr = [this](const std::string& line) { err.push_back(line); };
        return h;
    }

    CommandLineOutcome run(std::string_view argumentText) {
        return runCommandLine(argumentText, hooks());
    }
};

const std::string kErrorBox = "error-box:Error!|Couldn't process presets, please check typing";

TEST(CommandLineMode, AppliesTheMatchingPresetAfterTheScan) {
    FakeProgram p;
    EXPECT_EQ(p.run("WALLS"), CommandLineOutcome::Processed);
    EXPECT_EQ(p.calls, (Calls{"banner", "game", "scan", "apply:Walls",
                              "box:Preset applied|The following preset has been applied: Walls"}));
    EXPECT_EQ(p.out, (Calls{"Preset applied: Walls"}));
    EXPECT_TRUE(p.err.empty());
}

TEST(CommandLineMode, ResetMessageOnlyForTheExactText) {
    FakeProgram p;
    EXPECT_EQ(p.run("no textures"), CommandLineOutcome::Processed);
    EXPECT_EQ(p.calls.back(), "box:IBTs reset|The following preset has been applied: no textures");
    FakeProgram q;
    EXPECT_EQ(q.run("No Textures"), CommandLineOutcome::Processed);
    EXPECT_EQ(q.calls.back(),
              "box:Preset applied|The following preset has been applied: no textures");
}

TEST(CommandLineMode, DisableRemovesAndSilentShowsNoBox) {
    FakeProgram p;
    EXPECT_EQ(p.run("walls disable silent"), CommandLineOutcome::Processed);
    EXPECT_EQ(p.calls, (Calls{"banner", "game", "scan", "remove:Walls"}));
    EXPECT_EQ(p.out, (Calls{"Preset disabled: Walls"}));
}

TEST(CommandLineMode, EveryMatchingPresetInOrderEachWithItsBox) {
    FakeProgram p;
    p.presets = {"walls", "floors", "Walls"};
    EXPECT_EQ(p.run("Walls disable"), CommandLineOutcome::Processed);
    EXPECT_EQ(
        p.calls,
        (Calls{"banner", "game", "scan", "remove:walls",
               "box:Preset disabled|The following preset has been disabled: walls", "remove:Walls",
               "box:Preset disabled|The following preset has been disabled: Walls"}));
    EXPECT_EQ(p.out, (Calls{"Preset disabled: walls, Walls"}));
}

TEST(CommandLineMode, TrailingSpaceMatchesOnlyANameEndingInSpace) {
    FakeProgram p;
    p.presets = {"walls", "walls "};
    EXPECT_EQ(p.run("walls  silent"), CommandLineOutcome::Processed);
    EXPECT_EQ(p.calls.back(), "apply:walls ");
}

TEST(CommandLineMode, KeywordAtTheStartFailsBeforeAnythingIsShown) {
    FakeProgram p;
    EXPECT_EQ(p.run("disable"), CommandLineOutcome::Failed);
    EXPECT_EQ(p.calls, (Calls{kErrorBox}));
    ASSERT_EQ(p.err.size(), 1u);
    EXPECT_TRUE(p.out.empty());

    FakeProgram q;
    EXPECT_EQ(q.run("silent"), CommandLineOutcome::Failed);
    EXPECT_TRUE(q.calls.empty());
    EXPECT_EQ(q.err.size(), 1u);
}

TEST(CommandLineMode, NoMatchScansThenTakesTheErrorPath) {
    FakeProgram p;
    EXPECT_EQ(p.run("\"walls\""), CommandLineOutcome::NoMatch);
    EXPECT_EQ(p.calls, (Calls{"banner", "game", "scan", kErrorBox}));
    ASSERT_EQ(p.err.size(), 1u);
    EXPECT_NE(p.err[0].find("\"\"walls\"\""), std::string::npos) << p.err[0];
    EXPECT_TRUE(p.out.empty());

    FakeProgram none;
    none.presets = {};
    EXPECT_EQ(none.run("walls silent"), CommandLineOutcome::NoMatch);
    EXPECT_EQ(none.calls, (Calls{"banner", "game", "scan"}));
    EXPECT_EQ(none.err.size(), 1u);
}

struct FailureCase {
    const char* label;
    std::string throwAt;
    Calls callsBeforeErrorBox;
};

class FailingStage : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailingStage, TakesTheErrorPathWithTheReason) {
    const auto& c = GetParam();
    for (const bool silent : {false, true}) {
        FakeProgram p;
        p.presets = {"walls", "Walls"};
        p.throwAt = c.throwAt;
        EXPECT_EQ(p.run(silent ? "walls silent" : "walls"), CommandLineOutcome::Failed);
        Calls expected;
        for (const auto& call : c.callsBeforeErrorBox) {
            if (!silent || call.rfind("box:", 0) != 0) {
                expected.push_back(call);
            }
        }
        if (!silent) {
            expected.push_back(kErrorBox);
        }
        EXPECT_EQ(p.calls, expected) << "silent=" << silent;
        ASSERT_EQ(p.err.size(), 1u);
        EXPECT_NE(p.err[0].find("x.ibt: broken at " + c.throwAt), std::string::npos) << p.err[0];
        EXPECT_TRUE(p.out.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLineMode, FailingStage,
    ::testing::Values(
        FailureCase{"banner", "banner", {"banner"}},
        FailureCase{"game_missing", "game", {"banner", "game"}},
        FailureCase{"scan", "scan", {"banner", "game", "scan"}},
        FailureCase{"names", "names", {"banner", "game", "scan"}},
        FailureCase{"first_preset", "enable:walls", {"banner", "game", "scan", "apply:walls"}},
        FailureCase{"second_preset",
                    "enable:Walls",
                    {"banner", "game", "scan", "apply:walls",
                     "box:Preset applied|The following preset has been applied: "
                     "walls",
                     "apply:Walls"}}),
    [](const auto& tc) { return std::string(tc.param.label); });

TEST(CommandLineMode, NonStandardExceptionStillFails) {
    FakeProgram p;
    auto hooks = p.hooks();
    hooks.scanAllMaps = [] { throw 42; };
    EXPECT_EQ(runCommandLine("walls silent", hooks), CommandLineOutcome::Failed);
    EXPECT_EQ(p.err.size(), 1u);
}

TEST(CommandLineMode, AFailingErrorBoxDoesNotEscape) {
    FakeProgram p;
    p.throwAt = "message";
    EXPECT_EQ(p.run("disable"), CommandLineOutcome::Failed);
    EXPECT_EQ(p.err.size(), 1u);
}

TEST(CommandLineMode, WithoutDisplayHooksOnlyLinesAreGiven) {
    FakeProgram p;
    auto hooks = p.hooks();
    hooks.showBanner = nullptr;
    hooks.showMessage = nullptr;
    hooks.checkGameFound = nullptr;
    EXPECT_EQ(runCommandLine("walls", hooks), CommandLineOutcome::Processed);
    EXPECT_EQ(p.calls, (Calls{"scan", "apply:Walls"}));
    EXPECT_EQ(p.out, (Calls{"Preset applied: Walls"}));
}

TEST(CommandLineMode, AMissingScanHookIsAFailureNotASkippedScan) {
    FakeProgram p;
    auto hooks = p.hooks();
    hooks.scanAllMaps = nullptr;
    EXPECT_EQ(runCommandLine("walls silent", hooks), CommandLineOutcome::Failed);
    EXPECT_EQ(p.calls, (Calls{"banner", "game"}));
}

} // namespace
} // namespace quorvell::presets
