#include "discovery/path_mapper.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvell::discovery {
namespace {

namespace fs = std::filesystem;

// Wine's drive links ("c:") and symlinks exist only on a POSIX host.
#if !defined(_WIN32)
class WineMapping : public ::testing::Test {
protected:
    testing::TempDir dir;
    fs::path prefix = dir.path() / "pfx";

    void SetUp() override {
        fs::create_directories(prefix / "drive_c" / "games" / "thief - deadly shadows" / "content" /
                               "t3" / "maps");
        fs::create_directories(prefix / "dosdevices");
        fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    }

    fs::path toHost(std::string_view gamePath) const {
        return makeWinePathMapper(prefix)->toHost(gamePath);
    }

    fs::path mapsOnDisk() const {
        return prefix / "dosdevices" / "c:" / "games" / "thief - deadly shadows" / "content" /
               "t3" / "maps";
    }
};

TEST_F(WineMapping, MatchesEveryComponentWithoutCase) {
    const fs::path host = toHost("C:\\Games\\Thief - Deadly Shadows\\Content\\T3\\Maps");
    EXPECT_EQ(host, mapsOnDisk());
    EXPECT_TRUE(fs::is_directory(host));
    EXPECT_EQ(toHost("c:\\GAMES\\THIEF - DEADLY SHADOWS\\content\\t3\\MAPS"), mapsOnDisk());
}

TEST_F(WineMapping, ToleratesTheDoubledSeparatorOfATrailingBackslash) {
    EXPECT_EQ(toHost("C:\\Games\\Thief - Deadly Shadows\\\\Content\\T3\\Maps"), mapsOnDisk());
    EXPECT_EQ(toHost("C:\\Games\\.\\Thief - Deadly Shadows\\Content\\X\\..\\T3\\Maps"),
              mapsOnDisk());
}

TEST_F(WineMapping, KeepsTheGivenSpellingWhereNothingMatches) {
    EXPECT_EQ(toHost("C:\\Games\\Missing\\Content"),
              prefix / "dosdevices" / "c:" / "games" / "Missing" / "Content");
}

TEST_F(WineMapping, FallsBackToDriveCWithoutTheDeviceLink) {
    fs::remove(prefix / "dosdevices" / "c:");
    EXPECT_EQ(toHost("C:\\Games"), prefix / "drive_c" / "games");
}

TEST_F(WineMapping, FollowsOtherDriveLettersThroughTheirLinks) {
    const fs::path elsewhere = dir.path() / "disk2";
    fs::create_directories(elsewhere / "Thief");
    fs::create_directory_symlink(elsewhere, prefix / "dosdevices" / "d:");
    EXPECT_EQ(toHost("D:\\THIEF"), prefix / "dosdevices" / "d:" / "Thief");
    EXPECT_TRUE(fs::is_directory(toHost("d:\\thief")));
    // A drive without a link gets no drive_c fallback.
    EXPECT_EQ(toHost("E:\\Thief"), prefix / "dosdevices" / "e:" / "Thief");
}

TEST_F(WineMapping, UsesAHostRootAsItStandsButStillMatchesCase) {
    const fs::path game = dir.path() / "Thief";
    fs::create_directories(game / "content" / "t3" / "maps");
    const std::string root = game.string();
    EXPECT_EQ(toHost(root + "\\Content\\T3\\Maps"), game / "content" / "t3" / "maps");
    EXPECT_EQ(toHost(root + "/\\Content\\T3\\Maps"), game / "content" / "t3" / "maps");
}

TEST_F(WineMapping, PathsWithoutDriveLandOnTheSystemDrive) {
    EXPECT_EQ(toHost("\\Content\\T3\\Bitmaps"),
              prefix / "dosdevices" / "c:" / "Content" / "T3" / "Bitmaps");
}

#endif

TEST(NativeMapping, KeepsThePathButCollapsesTheJoint) {
    const auto mapper = makeNativePathMapper();
#if defined(_WIN32)
    EXPECT_EQ(mapper->toHost("C:\\Games\\\\Content"), fs::path(L"C:\\Games\\Content"));
#else
    EXPECT_EQ(mapper->toHost("/games/thief\\\\Content\\T3"), fs::path("/games/thief/Content/T3"));
#endif
}

} // namespace
} // namespace quorvell::discovery
