#include "discovery/game_root.h"
#include "discovery/steam_libraries.h"
#include "tests/discovery/fake_wine.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvell::discovery {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<fs::path>;
using testing::makeFakePrefix;
using testing::wineGameKey;

#if !defined(_WIN32) // Steam homes with symlinks, as on Linux
// A home with a native Steam (and the ~/.steam/steam link to it), a second
// library on another disk, and a Flatpak Steam using the old file layout.
class SteamHome : public ::testing::Test {
protected:
    testing::TempDir dir;
    fs::path home = dir.path() / "home";
    fs::path nativeRoot = home / ".local" / "share" / "Steam";
    fs::path disk = dir.path() / "disk" / "SteamLibrary";
    fs::path flatpakRoot = home / ".var" / "app" / "com.valvesoftware.Steam" / "data" / "Steam";

    static fs::path protonPrefix(const fs::path& library) {
        return library / "steamapps" / "compatdata" / "6980" / "pfx";
    }

    void SetUp() override {
        fs::create_directories(nativeRoot / "steamapps");
        fs::create_directories(home / ".steam");
        fs::create_directory_symlink(nativeRoot, home / ".steam" / "steam");
        dir.write(nativeRoot / "steamapps" / "libraryfolders.vdf",
                  "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + nativeRoot.string() +
                      "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + disk.string() + "\"\n\t}\n}\n");
        fs::create_directories(protonPrefix(disk));
        fs::create_directories(disk / "steamapps" / "compatdata" / "7000" / "pfx");
        fs::create_directories(flatpakRoot / "steamapps");
        dir.write(flatpakRoot / "steamapps" / "libraryfolders.vdf",
                  "\"LibraryFolders\"\n{\n\t\"1\"\t\t\"" + (dir.path() / "flat-lib").string() +
                      "\"\n}\n");
        fs::create_directories(protonPrefix(dir.path() / "flat-lib"));
        fs::create_directories(protonPrefix(flatpakRoot));
    }

    Environment env(std::optional<fs::path> winePrefix = std::nullopt) const {
        return Environment{std::move(winePrefix), home};
    }
};

TEST_F(SteamHome, ListsWinePrefixThenProtonPrefixesOfTheGameOnce) {
    const Paths expected{home / ".wine", protonPrefix(disk), protonPrefix(flatpakRoot),
                         protonPrefix(dir.path() / "flat-lib")};
    EXPECT_EQ(candidateWinePrefixes(env()), expected);

    const fs::path own = dir.path() / "own-prefix";
    const Paths withOwn{own, protonPrefix(disk), protonPrefix(flatpakRoot),
                        protonPrefix(dir.path() / "flat-lib")};
    EXPECT_EQ(candidateWinePrefixes(env(own)), withOwn);
}

TEST_F(SteamHome, WinePrefixPointingAtAProtonPrefixIsNotListedTwice) {
    const auto prefixes = candidateWinePrefixes(env(protonPrefix(disk)));
    EXPECT_EQ(prefixes.front(), protonPrefix(disk));
    EXPECT_EQ(std::count(prefixes.begin(), prefixes.end(), protonPrefix(disk)), 1);
}

TEST_F(SteamHome, FindsTheGameInAProtonPrefixWhenWineHasNone) {
    makeFakePrefix(dir, "home/.wine", "");
    makeFakePrefix(dir, "disk/SteamLibrary/steamapps/compatdata/6980/pfx",
                   wineGameKey(R"("ION_ROOT"="C:\\Program Files (x86)\\Thief\\")"));
    fs::create_directories(protonPrefix(disk) / "drive_c" / "program files (x86)" / "thief" /
                           "Content" / "T3" / "Maps");

    const GameInstall game = locateGame(env());
    EXPECT_EQ(game.root, "C:\\Program Files (x86)\\Thief\\");
    EXPECT_EQ(game.winePrefix, protonPrefix(disk));
    const fs::path maps = game.hostPath("\\Content\\T3\\Maps");
    EXPECT_TRUE(fs::is_directory(maps)) << maps;
    EXPECT_EQ(maps.parent_path().parent_path().parent_path().filename(), "thief");
}

TEST_F(SteamHome, TheFirstPrefixHoldingTheValueWins) {
    makeFakePrefix(dir, "home/.wine", wineGameKey(R"("ION_ROOT"="C:\\FromWine")"));
    makeFakePrefix(dir, "disk/SteamLibrary/steamapps/compatdata/6980/pfx",
                   wineGameKey(R"("ION_ROOT"="C:\\FromProton")"));
    fs::create_directories(home / ".wine/drive_c/FromWine/Content/T3/Maps");
    const GameInstall game = locateGame(env());
    EXPECT_EQ(game.root, "C:\\FromWine");
    EXPECT_EQ(game.winePrefix, home / ".wine");
}

TEST_F(SteamHome, AValueOfAnotherTypeDoesNotStopTheSearch) {
    makeFakePrefix(dir, "home/.wine", wineGameKey(R"("ION_ROOT"=str(2):"C:\\Expanding")"));
    makeFakePrefix(dir, "flat-lib/steamapps/compatdata/6980/pfx",
                   wineGameKey(R"("ION_ROOT"="C:\\Flat")", false));
    fs::create_directories(dir.path() /
                           "flat-lib/steamapps/compatdata/6980/pfx/drive_c/Flat/Content/T3/Maps");
    EXPECT_EQ(locateGame(env()).root, "C:\\Flat");
}

TEST_F(SteamHome, NoPrefixWithTheValueMeansNotFound) {
    const GameInstall game = locateGame(env());
    EXPECT_FALSE(game.found());
    EXPECT_EQ(game.root, "");
    EXPECT_FALSE(game.winePrefix);
    ASSERT_NE(game.paths, nullptr);
}

#endif

TEST(Prefixes, WithoutHomeOnlyWinePrefixIsTried) {
    EXPECT_TRUE(candidateWinePrefixes(Environment{}).empty());
    EXPECT_EQ(candidateWinePrefixes(Environment{fs::path("/p"), std::nullopt}), Paths{"/p"});
    const GameInstall game = locateGame(Environment{});
    EXPECT_FALSE(game.found());
    EXPECT_NE(game.paths, nullptr);
}

} // namespace
} // namespace quorvell::discovery
