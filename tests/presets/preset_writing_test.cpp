#include "base/io_error.h"
#include "presets/preset_edit.h"
#include "presets/preset_file.h"
#include "presets/preset_marks.h"
#include "presets/preset_slips.h"
#include "presets/preset_store.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace quorvell::presets {
namespace {

using Lines = std::vector<std::string>;

const Lines kRows{"A.dds", "B.dds", "C.dds", "D.dds"};

// CRLF, a Windows-1252 name, blank lines, a comment, a block left open.
const std::string kOriginal = "; mine\r\n\r\ncaf\xE9{\r\nA.dds\r\n}\r\n\r\nlast{\r\nB.dds";

TEST(SavedPreset, AppliedToAnyStateGivesExactlyTheSavedMarks) {
    for (unsigned saved = 0; saved < 16; ++saved) {
        std::vector<bool> marks(4);
        for (std::size_t i = 0; i < 4; ++i) {
            marks[i] = (saved >> i) & 1u;
        }
        const auto file = parsePresetText(
            withPresetSaved("x{\r\n*\r\n}\r\n", "p", presetEntriesFor(kRows, marks), false));
        for (unsigned before = 0; before < 16; before += 5) {
            std::vector<bool> now(4);
            for (std::size_t i = 0; i < 4; ++i) {
                now[i] = (before >> i) & 1u;
            }
            EXPECT_EQ(markPreset(file.lines, "p", false, kRows, now).marks, marks);
        }
    }
}

TEST(SavedPreset, KeepsEveryOtherByte) {
    const std::string added = withPresetSaved(kOriginal, "new", {"xbrick", "C.dds"}, false);
    EXPECT_EQ(added, kOriginal + "\r\nnew{\r\nxbrick\r\nC.dds\r\n}\r\n");
    const std::string updated = withPresetSaved(added, "caf\xC3\xA9", {"D.dds"}, true);
    EXPECT_EQ(updated, added.substr(0, 10) + "caf\xE9{\r\nD.dds\r\n}\r\n" + added.substr(27));
    EXPECT_EQ(withPresetDeleted(withPresetSaved(kOriginal, "n", {}, false), "n"),
              kOriginal + "\r\n");
    EXPECT_EQ(withPresetSaved("a{\n}\n", "b", {}, false), "a{\n}\nb{\n}\n");
    EXPECT_THROW(withPresetDeleted(kOriginal, "last"), PresetEditError); // no "}"
}

TEST(SavedPreset, RefusesNamesTheFileCannotHold) {
    const Lines names{"Walls"};
    for (const char* bad :
         {"", "a{", "b}", "two\nlines", " lead", "trail ", "WALLS", "\xE6\x97\xA5"}) {
        EXPECT_TRUE(presetNameProblem(bad, names).has_value()) << bad;
    }
    EXPECT_EQ(presetNameProblem("walls 2", names), std::nullopt);
    EXPECT_THROW(withPresetSaved("walls{\r\n}\r\n", "Walls", {}, false), PresetEditError);
}

TEST(PresetStore, AnInterruptedSaveLeavesTheOldFileOrTheNewWhole) {
    for (const StoreStep step :
         {StoreStep::TempWritten, StoreStep::TempFlushed, StoreStep::Replaced}) {
        testing::TempDir dir;
        const auto file = dir.write("Presets.ini", kOriginal);
        const auto edit = [](std::string_view bytes) {
            return withPresetSaved(bytes, "n", {"xbrick"}, false);
        };
        EXPECT_THROW(rewritePresetFile(file, edit, false,
                                       [step](StoreStep now) {
                                           if (now == step) {
                                               throw std::runtime_error("power cut");
                                           }
                                       }),
                     std::runtime_error);
        EXPECT_EQ(testing::readFile(file),
                  step == StoreStep::Replaced ? edit(kOriginal) : kOriginal);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    }
}

TEST(PresetStore, TwoSavingAtOnceKeepBoth) {
    testing::TempDir dir;
    const auto file = dir.path() / "user" / "Presets.ini";
    const auto saver = [&](const std::string& prefix) {
        for (int i = 0; i < 25; ++i) {
            rewritePresetFile(
                file,
                [&](std::string_view bytes) {
                    return withPresetSaved(bytes, prefix + std::to_string(i), {"xbrick"}, false);
                },
                true);
        }
    };
    std::thread one(saver, "one");
    std::thread two(saver, "two");
    one.join();
    two.join();
    EXPECT_EQ(parsePresetText(testing::readFile(file)).names.size(), 50u);
    try {
        rewritePresetFile(dir.path() / "gone" / "Presets.ini", [](std::string_view) { return ""; });
        FAIL() << "a missing folder was written";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), (dir.path() / "gone" / "Presets.ini").string());
    }
}

TEST(PresetSlips, EachSlipNamedWithItsLine) {
    const auto file = parsePresetText("a{\nnope.dds\nb{\n}\nname\nA.dds\n}\n}\n\nc{\nA.dds\n");
    std::vector<std::size_t> lines;
    for (const PresetSlip& slip : findPresetSlips(file.lines, &kRows)) {
        lines.push_back(slip.line);
    }
    EXPECT_EQ(lines, (std::vector<std::size_t>{2, 3, 5, 8, 10}));
    EXPECT_EQ(findPresetSlips(file.lines, nullptr).size(), 4u);
    EXPECT_TRUE(findPresetSlips(parsePresetText(kOriginal.substr(0, 30)).lines, nullptr).empty());
}

} // namespace
} // namespace quorvell::presets
