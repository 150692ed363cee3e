#include "base/path_text.h"
#include "journal/way_back.h"
#include "tests/support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace quorvell::journal {
namespace {

using testing::readFile;
using testing::TempDir;
using namespace std::string_literals;

// Writes a plan's bytes (the engine's writer is tested on its own).
void write(const patching::MapPlan& plan) {
    std::fstream out(plan.map, std::ios::binary | std::ios::in | std::ios::out);
    for (const patching::NameEdit edit : plan.edits) {
        out.seekp(static_cast<std::streamoff>(edit.offset));
        out.write(edit.after.data(), static_cast<std::streamsize>(edit.after.size()));
    }
}

patching::MapPlan plan(const std::filesystem::path& map, std::vector<patching::NameEdit> edits) {
    patching::MapPlan planned;
    planned.map = map;
    planned.length = std::filesystem::file_size(map);
    for (const patching::NameEdit edit : edits) {
        planned.edits.add(edit.offset, edit.before, edit.after);
    }
    return planned;
}

TEST(WayBack, UndoTakesBackWhatARunWroteAndLeavesUnreachedAndChangedMapsAlone) {
    TempDir dir;
    const auto reached = dir.write("a.ibt", "wall\0.......door\0......."s);
    const auto unreached = dir.write("b.ibt", "wall\0......."s);
    const auto changed = dir.write("c.ibt", "wall\0......."s);
    const auto grown = dir.write("d.ibt", "wall\0......."s);
    const std::string before("\0...", 4), after("__ov", 4);
    const std::vector<patching::MapPlan> run = {
        plan(reached, {{4, before, after}, {16, before, after}}),
        plan(unreached, {{4, before, after}}), plan(changed, {{4, before, after}}),
        plan(grown, {{4, before, after}})};
    write(run[0]);
    write(run[2]);
    write(run[3]);
    dir.write("c.ibt", "wall_by_else"s);
    dir.write("d.ibt", "wall__ov.....more"s);

    const WayBack back = planUndo(run);
    ASSERT_EQ(back.plans.size(), 1u);
    EXPECT_EQ(back.plans[0].map, reached);
    EXPECT_EQ(back.references(), 2u);
    ASSERT_EQ(back.changedSince.size(), 2u);
    EXPECT_NE(back.changedSince[0].path().find("c.ibt"), std::string::npos);
    EXPECT_NE(back.changedSince[1].reason().find("length"), std::string::npos);
    write(back.plans[0]);
    EXPECT_EQ(readFile(reached), std::string("wall\0.......door\0.......", 24));
    EXPECT_EQ(mapsReached(run), 0u);
}

TEST(WayBack, RestorePutsFirstFoundBytesBackWhateverRanBetween) {
    TempDir dir;
    const auto map = dir.write("a.ibt", "wall__over..door\0......."s);
    Originals originals;
    originals[pathText(map)] = {24, {}, {{4, std::string("\0...", 4)}, {20, "...."}}};
    const WayBack back = planRestore(originals);
    ASSERT_EQ(back.plans.size(), 1u);
    ASSERT_EQ(back.plans[0].edits.size(), 1u); // the second name is as first found
    EXPECT_EQ(back.plans[0].edits[0].before, "__ov");
    write(back.plans[0]);
    EXPECT_EQ(readFile(map), std::string("wall\0...er..door\0.......", 24));
    EXPECT_TRUE(planRestore(originals).plans.empty());
}

} // namespace
} // namespace quorvell::journal
