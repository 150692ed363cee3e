// The window, its command-line mode, quorvell-cli and the engine's batch
// write the same bytes for the same request on the same install.

#include "patching/map_file.h"
#include "tests/app/gui_support.h"
#include "tests/e2e/run_program.h"
#include "tests/support/stocked_install.h"

#include <regex>
#include <sstream>

namespace quorvell::testing {
namespace {

namespace fs = std::filesystem;

ProgramRun run(const FakeInstall& install, const char* program,
               const std::vector<std::string>& args) {
    return runProgram(program, args, install.workingDir(), install.environment());
}

class FrontEnds : public GuiTest {
protected:
    std::unique_ptr<app::Form1> scannedWindow(const FakeInstall& install) {
        auto form = makeForm(install);
        startAndScan(*form);
        return form;
    }
};

// Window_glass is on in one map of two; Moss has a row in two folders;
// Wall_brick01 is off everywhere, beside a reference in another case and a
// record of another kind; the tapestry is too long to switch on.
TEST_F(FrontEnds, WindowToggleCliOnOffAndOneRowBatchWriteTheSameBytes) {
    for (const std::string texture :
         {"Window_glass.dds", "Moss.dds", "Wall_brick01.dds",
          "Tapestry_of_the_first_keeper_council_woven_in_gold_and.dds"}) {
        const FakeInstall byWindow, byCli, byBatch;
        for (const FakeInstall* install : {&byWindow, &byCli, &byBatch}) {
            stockInstall(*install);
        }
        const auto fresh = mapsOf(byBatch);
        const auto form = scannedWindow(byWindow);
        const int row = rowOf(*form, texture);
        ASSERT_GE(row, 0) << texture;
        // The tooltip counts the maps as quorvell-cli's list does, row by row.
        std::istringstream listed(run(byCli, QUORVELL_CLI, {"list"}).out);
        int listedRow = row;
        for (std::string line; std::getline(listed, line);) {
            std::smatch count;
            if (line.find("] " + texture + " ") != std::string::npos &&
                std::regex_search(line, count, std::regex("on in \\d+ of \\d+ maps?"))) {
                const QString said = QString::fromStdString(count.str());
                EXPECT_TRUE(rowTooltip(*form, listedRow++).contains("O" + said.mid(1))) << line;
            }
        }
        EXPECT_GT(listedRow, row) << texture;
        for (int flip = 0; flip < 2; ++flip) { // one state, then the other
            // A partly-on row's click switches it on.
            const bool on = !form->List2->isChecked(row) || form->List2->isPartly(row);
            clickCheckBox(*form, row);
            ASSERT_TRUE(waitUntil([&] { return !form->working(); }));

            const auto cli = run(byCli, QUORVELL_CLI, {on ? "on" : "off", texture});
            EXPECT_EQ(cli.exitStatus, 0) << cli.err;
            const patching::BatchIndex oneRow({{texture, on}});
            for (const auto& entry :
                 fs::directory_iterator(byBatch.gameDir() / FakeInstall::kMaps)) {
                patching::patchPresetInMap(entry.path(), oneRow);
            }
            const auto maps = mapsOf(byBatch);
            EXPECT_EQ(mapsOf(byWindow), maps) << texture << (on ? " on" : " off");
            EXPECT_EQ(mapsOf(byCli), maps) << texture << (on ? " on" : " off");
            if (flip == 0) { // the tapestry is never switched on
                EXPECT_EQ(maps != fresh, !texture.starts_with("Tapestry")) << texture;
            }
        }
    }
}

TEST_F(FrontEnds, WindowPresetRunCommandLineModeAndCliApplyWriteTheSameBytes) {
    for (const std::string preset : {"walls", "no textures", "all textures", "glass only"}) {
        for (const bool remove : {false, true}) {
            const FakeInstall byWindow, byMode, byCli;
            for (const FakeInstall* install : {&byWindow, &byMode, &byCli}) {
                stockInstall(*install);
            }
            const auto fresh = mapsOf(byCli);
            const auto form = scannedWindow(byWindow);
            form->Combo1->setCurrentIndex(form->Combo1->findText(QString::fromStdString(preset)));
            QTest::mouseClick(remove ? form->Label6 : form->Label5, Qt::LeftButton);
            ASSERT_TRUE(waitUntil([&] { return !form->working(); }));

            // Its arguments are read joined by spaces: "no textures silent".
            std::vector<std::string> args{preset, "silent"};
            if (remove) {
                args.push_back("disable");
            }
            const auto mode = run(byMode, QUORVELL_PROGRAM, args);
            const auto cli = run(byCli, QUORVELL_CLI, {remove ? "remove" : "apply", preset});
            EXPECT_EQ(mode.exitStatus, 0) << mode.err;
            EXPECT_EQ(cli.exitStatus, 0) << cli.err;
            const auto maps = mapsOf(byWindow);
            const std::string what = preset + (remove ? " removed" : " applied");
            EXPECT_EQ(mapsOf(byMode), maps) << what;
            EXPECT_EQ(mapsOf(byCli), maps) << what;
            // Removing a preset that holds "*" or "xbrick" touches no map.
            EXPECT_EQ(maps != fresh, !remove || preset == "walls") << what;
        }
    }
}

} // namespace
} // namespace quorvell::testing
