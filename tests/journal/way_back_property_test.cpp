// Random runs over a few maps, some undone on the way: each undo gives the
// maps as they were before the run it takes back, undoing the last k runs
// gives the maps after the first n-k, and restore gives the maps as first
// found, whatever ran in between.

#include "journal/journal_recorder.h"
#include "journal/way_back_run.h"
#include "tests/support/map_builder.h"
#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

namespace quorvell::journal {
namespace {

using testing::readFile;

TEST(WayBackProperty, UndoStepsBackRunByRunAndRestoreGivesTheMapsAsFirstFound) {
    testing::TempDir dir;
#ifndef _WIN32
    // The journal beside the test's maps, not in the tester's own home (on
    // Windows it goes to the Wine prefix's %LOCALAPPDATA%).
    ::setenv("XDG_STATE_HOME", (dir.path() / "state").c_str(), 1);
#endif
    const std::vector<std::string> names = {"Brick", "Moss", "Slate", "Tile", "Moss__overridden"};
    std::mt19937 random(20261209);
    std::vector<std::filesystem::path> maps;
    for (int m = 0; m < 4; ++m) {
        std::vector<std::string> references;
        for (int r = 0; r < 30; ++r) {
            references.push_back(names[random() % names.size()]);
        }
        maps.push_back(
            dir.write("Maps/m" + std::to_string(m) + ".ibt", testing::mapOfTextures(references)));
    }
    const auto state = [&] {
        std::vector<std::string> bytes;
        for (const auto& map : maps) {
            bytes.push_back(readFile(map));
        }
        return bytes;
    };
    const std::vector<std::string> pristine = state();
    session::MapsLocker locker(session::folderLock(dir.path() / "Maps", {}));
    JournalRecorder recorder(dir.path() / "Maps", "test");
    session::RunContext context{locker, {}, &recorder};
    Journal journal = Journal::forMapsFolder(dir.path() / "Maps");
    const auto undo = [&] {
        return runWayBack(journal, WayBackKind::Undo, false, "test", context);
    };

    std::vector<std::vector<std::string>> before; // the maps before each run not undone
    for (int run = 0; run < 50; ++run) {
        if (!before.empty() && random() % 4 == 0) {
            undo();
            ASSERT_EQ(state(), before.back()) << "undo at step " << run;
            before.pop_back();
            continue;
        }
        before.push_back(state());
        patching::TextureRows rows;
        for (const char* texture : {"Brick.dds", "Moss.dds", "Slate.dds", "Tile.dds"}) {
            if (random() % 3 != 0) {
                rows.push_back({texture, random() % 2 == 0});
            }
        }
        if (session::runBatch(maps, patching::BatchIndex(rows), false, context, "run")
                .changed.empty()) {
            before.pop_back(); // nothing to undo: the undo goes to the run before
        }
    }
    for (int k = 0; k < 3 && !before.empty(); ++k) {
        undo();
        ASSERT_EQ(state(), before.back());
        before.pop_back();
    }
    runWayBack(journal, WayBackKind::Restore, false, "test", context);
    EXPECT_EQ(state(), pristine);
#ifndef _WIN32
    ::unsetenv("XDG_STATE_HOME");
#endif
}

} // namespace
} // namespace quorvell::journal
