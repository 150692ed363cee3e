// The game found through each launcher's own layout in a temporary home, and
// the report of every place looked at when it is nowhere.

#include "discovery/game_root.h"
#include "tests/discovery/fake_wine.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace quorvell::discovery {
namespace {

namespace fs = std::filesystem;
using testing::makeFakePrefix;
using testing::TempDir;
using testing::wineGameKey;

const std::string kGameValue = wineGameKey(R"("ION_ROOT"="C:\\Thief")");

struct Layout {
    const char* label;
    std::function<void(const TempDir&)> build; // writes under the temporary folder
    std::string root;                          // expected; "<dir>" is the temporary folder
    const char* prefix;                        // expected, relative to it; "" for none
    const char* gameRoot = nullptr;            // QUORVELL_GAME_ROOT
};

class Launchers : public ::testing::TestWithParam<Layout> {};

TEST_P(Launchers, FindTheGame) {
    const TempDir dir;
    fs::create_directories(dir.path() / "home");
    GetParam().build(dir);
    Environment env{std::nullopt, dir.path() / "home", std::nullopt};
    if (GetParam().gameRoot != nullptr) {
        env.gameRoot = std::string(GetParam().gameRoot);
        if (env.gameRoot->starts_with("<dir>")) {
            env.gameRoot = dir.path().string() + env.gameRoot->substr(5);
        }
    }
    const GameInstall game = locateGame(env);
    std::string root = GetParam().root;
    if (root.starts_with("<dir>")) {
        root = dir.path().string() + root.substr(5);
    }
    EXPECT_EQ(game.root, root);
    const std::string prefix = GetParam().prefix;
    EXPECT_EQ(game.winePrefix.value_or(fs::path()),
              prefix.empty() ? fs::path() : dir.path() / prefix);
    EXPECT_TRUE(fs::is_directory(game.hostPath("\\Content\\T3\\Maps"))) << game.hostPath("");
}

void mapsUnder(const TempDir& dir, const fs::path& folder) {
    fs::create_directories(dir.path() / folder / "content" / "t3" / "MAPS");
}

INSTANTIATE_TEST_SUITE_P(
    Search, Launchers,
    ::testing::Values(
        Layout{"heroic_prefix_folder",
               [](const TempDir& d) {
                   makeFakePrefix(d, "home/Games/Heroic/Prefixes/default/Thief", kGameValue);
                   mapsUnder(d, "home/Games/Heroic/Prefixes/default/Thief/drive_c/thief");
               },
               "C:\\Thief", "home/Games/Heroic/Prefixes/default/Thief"},
        Layout{"heroic_flatpak_settings_proton_layout",
               [](const TempDir& d) {
                   d.write("home/.var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/"
                           "a.json",
                           R"({"a": {"winePrefix": ")" + (d.path() / "proton").string() +
                               R"(", "wineVersion": {"type": "proton"}}, "version": "v0"})");
                   makeFakePrefix(d, "proton/pfx", kGameValue);
                   mapsUnder(d, "proton/pfx/drive_c/thief");
               },
               "C:\\Thief", "proton/pfx"},
        Layout{"lutris_game_file",
               [](const TempDir& d) {
                   d.write("home/.config/lutris/games/thief-1.yml",
                           "game:\n  exe: drive_c/thief/System/T3.exe\n  prefix: ~/Games/thief\n"
                           "system: {}\n");
                   makeFakePrefix(d, "home/Games/thief", kGameValue);
                   mapsUnder(d, "home/Games/thief/drive_c/thief");
               },
               "C:\\Thief", "home/Games/thief"},
        Layout{"bottles_flatpak",
               [](const TempDir& d) {
                   makeFakePrefix(d, "home/.var/app/com.usebottles.bottles/data/bottles/bottles/G",
                                  kGameValue);
                   mapsUnder(d, "home/.var/app/com.usebottles.bottles/data/bottles/bottles/G/"
                                "drive_c/thief");
               },
               "C:\\Thief", "home/.var/app/com.usebottles.bottles/data/bottles/bottles/G"},
        Layout{"steam_game_folder_when_its_prefix_holds_no_value",
               [](const TempDir& d) {
                   const fs::path lib = "home/.local/share/Steam/steamapps";
                   d.write(lib / "appmanifest_6980.acf",
                           "\"AppState\"\n{\n\t\"appid\"\t\t\"6980\"\n\t\"installdir\"\t\t\"Thief "
                           "Deadly Shadows\"\n}\n");
                   makeFakePrefix(d, lib / "compatdata/6980/pfx", "");
                   mapsUnder(d, lib / "common/Thief Deadly Shadows");
               },
               "<dir>/home/.local/share/Steam/steamapps/common/Thief Deadly Shadows",
               "home/.local/share/Steam/steamapps/compatdata/6980/pfx"},
        Layout{"game_root_host_folder_before_any_prefix",
               [](const TempDir& d) {
                   makeFakePrefix(d, "home/.wine", kGameValue);
                   mapsUnder(d, "own/Thief");
               },
               "<dir>/own/Thief", "", "<dir>/own/Thief"},
        Layout{"game_root_windows_path_through_the_wine_drives",
               [](const TempDir& d) {
                   makeFakePrefix(d, "home/.wine", "");
                   mapsUnder(d, "home/.wine/drive_c/games/thief");
               },
               "C:\\Games\\Thief", "", "C:\\Games\\Thief"},
        Layout{"game_root_without_maps_is_passed_over",
               [](const TempDir& d) {
                   makeFakePrefix(d, "home/.local/share/bottles/bottles/B", kGameValue);
                   mapsUnder(d, "home/.local/share/bottles/bottles/B/drive_c/thief");
               },
               "C:\\Thief", "home/.local/share/bottles/bottles/B", "/nowhere"},
        Layout{"stale_ion_root_in_the_wine_prefix_is_passed_over",
               [](const TempDir& d) {
                   makeFakePrefix(d, "home/.wine", wineGameKey(R"("ION_ROOT"="C:\\Gone")"));
                   makeFakePrefix(d, "home/Games/Heroic/Prefixes/default/T", kGameValue);
                   mapsUnder(d, "home/Games/Heroic/Prefixes/default/T/drive_c/thief");
               },
               "C:\\Thief", "home/Games/Heroic/Prefixes/default/T"}),
    [](const auto& tc) { return std::string(tc.param.label); });

// Every place is named with why it was passed over, in the order looked (each
// launcher's files, then the prefixes they name), with the home folder as ~; a
// prefix two launchers name is read once.
TEST(Search, NotFoundNamesEachPlaceLooked) {
    const TempDir dir;
    const fs::path home = dir.path() / "home";
    makeFakePrefix(dir, "home/.wine", wineGameKey(R"("ION_ROOT"=dword:00000001)"));
    fs::create_directories(home / "Games/Heroic/Prefixes/default/Empty");
    dir.write("home/.config/heroic/GamesConfig/b.json", "{ not json");
    dir.write("home/.config/heroic/GamesConfig/c.json",
              R"({"c": {"winePrefix": ")" +
                  (home / "Games/Heroic/Prefixes/default/Empty").string() + "\"}}");
    dir.write("home/.local/share/lutris/games/native.yml", "game:\n  exe: /usr/bin/true\n");
    dir.write("home/.local/share/bottles/bottles/Damaged/system.reg", "not a registry");

    const GameInstall game = locateGame(Environment{std::nullopt, home, "C:\\Elsewhere"});
    EXPECT_FALSE(game.found());
    std::vector<std::string> lines;
    for (const PassedOver& place : game.passedOver) {
        lines.push_back(place.place + ": " + place.reason);
    }
    const std::vector<std::string> expected{
        "QUORVELL_GAME_ROOT (C:\\Elsewhere): holds no Content\\T3\\Maps folder",
        "~/.wine: ION_ROOT in its registry is not a plain text value",
        "~/.steam/steam: no Steam installation (nor in Steam's usual other folders)",
        "~/.config/heroic/GamesConfig/b.json: cannot be read as Heroic's game settings",
        "~/.var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig: no such folder "
        "(Heroic's game settings)",
        "~/Games/Heroic/Prefixes/default/Empty: not a Wine prefix (no system.reg in it)",
        "~/.local/share/lutris/games/native.yml: names no Wine prefix",
        "~/.config/lutris/games: no such folder (Lutris's game files)",
        "~/.var/app/net.lutris.Lutris/data/lutris/games: no such folder (Lutris's game files)",
        "~/.var/app/com.usebottles.bottles/data/bottles/bottles: no such folder (Bottles' "
        "bottles)",
        "~/.local/share/bottles/bottles/Damaged: its registry file system.reg is damaged",
    };
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(notFoundReport(game).starts_with(
        "Thief - Deadly Shadows was not found. Quorvell looked here:\n  QUORVELL_GAME_ROOT"));
}

} // namespace
} // namespace quorvell::discovery
