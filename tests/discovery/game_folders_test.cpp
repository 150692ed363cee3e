#include "base/path_text.h"
#include "discovery/game_folders.h"
#include "discovery/original_catalogue.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvell::discovery {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// A Wine prefix holding the game with folders whose case differs from the
// game's own paths, as an install copied from a Linux file manager has.
class FakeGame : public ::testing::Test {
protected:
    testing::TempDir dir;
    fs::path prefix = dir.path() / "pfx";
    fs::path install = prefix / "drive_c" / "games" / "thief";
    fs::path bitmaps = install / "content" / "t3" / "bitmaps";
    fs::path dynamic = install / "content" / "t3" / "pctextures" / "DynamicallyLoaded";
    fs::path data = install / "SYSTEM" / "data";
    fs::path maps = install / "content" / "t3" / "maps";

    GameInstall game(std::string root = "C:\\Games\\Thief") const {
        return GameInstall{std::move(root), prefix, makeWinePathMapper(prefix)};
    }

    void put(const fs::path& folder, std::initializer_list<const char*> names) const {
        fs::create_directories(folder);
        for (const char* name : names) {
            dir.write(fs::relative(folder / pathFromUtf8(name), dir.path()), "dds");
        }
    }
};

TEST_F(FakeGame, CustomTexturesComeFolderByFolderWithDuplicatesKept) {
    put(bitmaps, {"HDMAP_Auldale.dds", "Wall_a.dds", "AULDALE1.DDS", "loading3.DDS", "notes.txt"});
    put(dynamic, {"Entry.dds", "glow.DDS"});
    put(data, {"Wall_a.dds", "attenuate2d.dds", "_sky.dds", "loading3.dds"});

    const CustomTextureScan scan = scanCustomTextures(game(), originalCatalogue());
    EXPECT_EQ(scan.names, (Names{"AULDALE1.DDS", "Wall_a.dds", "glow.DDS", "_sky.dds",
                                 "loading3.dds", "Wall_a.dds"}));
    EXPECT_TRUE(scan.problems.empty());
}

TEST_F(FakeGame, AFolderThatCannotBeListedIsReportedAndTheOthersStillScanned) {
    put(bitmaps, {"one.dds"});
    put(data, {"three.dds"});

    const CustomTextureScan scan = scanCustomTextures(game(), originalCatalogue());
    EXPECT_EQ(scan.names, (Names{"one.dds", "three.dds"}));
    ASSERT_EQ(scan.problems.size(), 1u);
    EXPECT_NE(scan.problems[0].path().find("DynamicallyLoaded"), std::string::npos)
        << scan.problems[0].path();
}

TEST_F(FakeGame, GameFilesOnlyGiveNoCustomTextures) {
    put(bitmaps, {"HDMAP_Auldale.dds", "HDMap_Castle0.dds"});
    put(dynamic, {"Loading1.dds"});
    put(data, {"Volume.dds"});
    EXPECT_TRUE(scanCustomTextures(game(), originalCatalogue()).names.empty());
}

TEST_F(FakeGame, AMissingGameScansNothingAndReportsNoFolders) {
    put(bitmaps, {"one.dds"});
    const GameInstall missing{"", std::nullopt, makeWinePathMapper(prefix)};
    const CustomTextureScan scan = scanCustomTextures(missing, originalCatalogue());
    EXPECT_TRUE(scan.names.empty());
    EXPECT_TRUE(scan.problems.empty());
    const MapListing listing = listMapFiles(missing);
    EXPECT_TRUE(listing.paths.empty());
    EXPECT_TRUE(listing.problems.empty());
}

TEST_F(FakeGame, MapFilesAreFullPathsInTheFolderAsResolved) {
    put(maps, {"b.IBT", "a.ibt", "readme.txt", "a.ibt.bak"});
    for (const std::string root : {"C:\\Games\\Thief", "C:\\Games\\Thief\\", "c:\\games\\THIEF"}) {
        const MapListing listing = listMapFiles(game(root));
        EXPECT_TRUE(listing.problems.empty()) << root;
        ASSERT_EQ(listing.paths.size(), 2u) << root;
        EXPECT_EQ(listing.paths[0].filename(), "a.ibt");
        EXPECT_EQ(listing.paths[1].filename(), "b.IBT");
        for (const auto& path : listing.paths) {
            EXPECT_TRUE(fs::equivalent(path.parent_path(), maps)) << path;
            EXPECT_TRUE(fs::is_regular_file(path)) << path;
        }
    }
}

TEST_F(FakeGame, AMissingMapsFolderIsOneProblem) {
    const MapListing listing = listMapFiles(game());
    EXPECT_TRUE(listing.paths.empty());
    ASSERT_EQ(listing.problems.size(), 1u);
    EXPECT_NE(listing.problems[0].path().find("Maps"), std::string::npos);
}

TEST_F(FakeGame, TheGeneratorWritesOneLinePerTextureOfEveryFolder) {
    put(bitmaps, {"HDMAP_Auldale.dds", "Wall_a.dds"});
    put(dynamic, {});
    put(data, {"\xC3\x89t\xC3\xA9.dds", "Volume.dds", "x.txt"});
    const fs::path output = dir.path() / "Brannoch" / "Presets.ini";
    dir.write(output.lexically_relative(dir.path()), "old lines that must go\r\n");

    generateTextureList(game(), output);
    generateTextureList(game(), output);
    EXPECT_EQ(testing::readFile(output), "list4.additem \"HDMAP_Auldale.dds\"\r\n"
                                         "list4.additem \"Wall_a.dds\"\r\n"
                                         "list4.additem \"Volume.dds\"\r\n"
                                         "list4.additem \"\xC9t\xE9.dds\"\r\n");
}

TEST_F(FakeGame, TheGeneratorNamesAMissingOutputFolder) {
    put(bitmaps, {"a.dds"});
    put(dynamic, {});
    put(data, {});
    const fs::path output = dir.path() / "H" / "Projects" / "Brannoch" / "Presets.ini";
    try {
        generateTextureList(game(), output);
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_EQ(error.path(), output.string());
        EXPECT_FALSE(error.reason().empty());
    }
    EXPECT_FALSE(fs::exists(output.parent_path()));
}

TEST_F(FakeGame, TheGeneratorKeepsTheOldListWhenAFolderCannotBeRead) {
    put(bitmaps, {"a.dds"});
    put(data, {"c.dds"});
    const fs::path output = dir.write("Presets.ini", "earlier list\r\n");
    EXPECT_THROW(generateTextureList(game(), output), IoError);
    EXPECT_EQ(testing::readFile(output), "earlier list\r\n");
}

TEST(GameInstallPaths, AppendTheRelativePathToTheRootAsItStands) {
    struct Recorder final : PathMapper {
        mutable std::string seen;
        fs::path toHost(std::string_view gamePath) const override {
            seen = gamePath;
            return fs::path("/mapped");
        }
    };
    auto recorder = std::make_shared<Recorder>();
    const GameInstall game{"C:\\Games\\Thief\\", std::nullopt, recorder};
    EXPECT_EQ(game.hostPath("\\Content\\T3\\Maps"), fs::path("/mapped"));
    EXPECT_EQ(recorder->seen, "C:\\Games\\Thief\\\\Content\\T3\\Maps");
}

} // namespace
} // namespace quorvell::discovery
