// The demo install must show the tool at work: a prefix the discovery finds,
// textures it tells apart, maps the engine reads, and presets that do what
// their names say. Runs the same steps as "quorvell walls silent" on it.

#include "discovery/environment.h"
#include "discovery/game_folders.h"
#include "discovery/game_root.h"
#include "discovery/original_catalogue.h"
#include "patching/map_file.h"
#include "presets/preset_file.h"
#include "presets/preset_marks.h"
#include "tests/support/temp_dir.h"
#include "tools/demo_install.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace quorvell::tools {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class DemoInstall : public ::testing::Test {
protected:
    void SetUp() override {
        written_ = writeDemoInstall(folder());
        env_.winePrefix = demoPrefix(folder());
        env_.home = dir_.path() / "home";
        fs::create_directories(*env_.home);
    }
    fs::path folder() const { return dir_.path() / "demo"; }
    fs::path map(const std::string& name) const {
        return demoGameRoot(folder()) / "Content" / "T3" / "Maps" / name;
    }

    testing::TempDir dir_;
    DemoWritten written_;
    discovery::Environment env_;
};

TEST_F(DemoInstall, PresetsAreTheThreeAdvertised) {
    const std::string bytes = testing::readFile(folder() / "Presets.ini");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 10);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 10);
    const auto presets = presets::loadPresetFile(folder());
    ASSERT_TRUE(presets.has_value());
    EXPECT_EQ(presets->names, (Names{"no textures", "all textures", "walls"}));
}

TEST_F(DemoInstall, RefusesAFolderThatIsNotEmpty) {
    EXPECT_THROW(writeDemoInstall(folder()), IoError);
}

TEST_F(DemoInstall, DiscoveryFindsTheGameItsCustomTexturesAndMaps) {
#ifdef _WIN32
    GTEST_SKIP() << "the demo install is a Wine prefix, which only the Linux build reads";
#endif
    EXPECT_TRUE(written_.driveLinkMade);
    const auto game = discovery::locateGame(env_);
    ASSERT_EQ(game.root, kDemoGameRoot);
    const auto scan = discovery::scanCustomTextures(game, discovery::originalCatalogue());
    EXPECT_TRUE(scan.problems.empty());
    Names names = scan.names;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"Door_oak.dds", "Floor_wood.dds", "Roof_slate.DDS", "Wall_brick01.dds",
                            "Wall_brick02.dds", "Window_glass.dds"}));
    EXPECT_EQ(discovery::listMapFiles(game).paths.size(), 3u);
}

// Scan, apply "walls", batch: what the command-line mode does on the demo.
TEST_F(DemoInstall, ApplyingWallsSwitchesOnTheBricksAndKeepsWhatWasOn) {
#ifdef _WIN32
    GTEST_SKIP() << "the demo install is a Wine prefix, which only the Linux build reads";
#endif
    const auto game = discovery::locateGame(env_);
    const auto custom = discovery::scanCustomTextures(game, discovery::originalCatalogue());
    const auto maps = discovery::listMapFiles(game);
    ASSERT_EQ(maps.paths.size(), 3u);

    patching::TextureRows rows;
    for (const auto& name : custom.names) {
        rows.push_back({name, false});
    }
    const patching::ScanIndex index(rows);
    for (const auto& path : maps.paths) {
        patching::ReferenceSet list1;
        for (const auto row : patching::scanMap(path, index, list1)) {
            rows[row].checked = true;
        }
    }

    Names texts;
    std::vector<bool> marks;
    for (const auto& row : rows) {
        texts.push_back(row.text);
        marks.push_back(row.checked);
    }
    const auto presetFile = presets::loadPresetFile(folder());
    ASSERT_TRUE(presetFile.has_value());
    const auto phase = presets::markPreset(presetFile->lines, "walls", false, texts, marks);
    ASSERT_EQ(phase.status, presets::PhaseOneStatus::Proceed);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].checked = phase.marks[i];
    }
    const patching::BatchIndex batch(rows);
    for (const auto& path : maps.paths) {
        patching::patchPresetInMap(path, batch);
    }

    const auto t = [](std::string name) { return DemoRecord{kTextureKind, std::move(name)}; };
    EXPECT_EQ(
        testing::readFile(map("Demo_Docks.ibt")),
        demoMapBytes({t("Wall_brick01__overridden"), t("Floor_wood__overridden"), t("Auldale1"),
                      t("Window_glass__overridden"), DemoRecord{0x05, "Wall_brick02"},
                      t("stone_generic"), t("Wall_brick01__overridden")}));
    EXPECT_EQ(testing::readFile(map("Demo_Market.ibt")),
              demoMapBytes({t("Wall_brick02__overridden"), t("Roof_slate"), t("HDMAP_City"),
                            t("Door_oak__overridden"), t("Wall_brick01__overridden")}));
    EXPECT_EQ(testing::readFile(map("Demo_Keep.ibt")),
              demoMapBytes({t("Door_oak__overridden"), t("Wall_brick01__overridden"),
                            t("Window_glass__overridden"), t("loading3"), t("wall_brick02")}));
}

} // namespace
} // namespace quorvell::tools
