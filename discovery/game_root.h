#pragma once

#include "discovery/environment.h"
#include "discovery/path_mapper.h"
#include "discovery/registry.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvell::discovery {

inline constexpr std::string_view kGameKey = "SOFTWARE\\Ion Storm\\Thief - Deadly Shadows";
inline constexpr std::string_view kGameRootValue = "ION_ROOT";

// A place the search for the game looked at and passed over, and why, in a
// player's words.
struct PassedOver {
    std::string place; // a folder, file or registry key (UTF-8; the home folder as ~)
    std::string reason;
};

// The game install as start-up finds it.
struct GameInstall {
    std::string root; // Text2: exactly as read (UTF-8); empty when not found
    std::optional<std::filesystem::path> winePrefix; // the prefix it came from (Linux)
    std::shared_ptr<const PathMapper> paths;         // never null
    // Every place looked at before the game was found, or all of them when
    // it was not, in the order looked.
    std::vector<PassedOver> passedOver = {};
    // How it was found, in a player's words ("ION_ROOT in the Wine prefix
    // ~/.wine"); empty when it was not.
    std::string foundBy = {};

    bool found() const { return !root.empty(); }
    // root + relative (relative begins with a backslash), mapped to the host.
    std::filesystem::path hostPath(std::string_view relative) const;
};

// Wine prefixes whose registry is read first, in order: $WINEPREFIX when set, otherwise ~/.wine;
// then the Proton prefixes of Steam app 6980 that exist in the Steam libraries
// found under the usual Steam roots. Each prefix once.
std::vector<std::filesystem::path> candidateWinePrefixes(const Environment& env);

// Finds the game. QUORVELL_GAME_ROOT comes first when it names a folder that
// holds the maps. Then ION_ROOT: on Windows from the registry (32-bit view
// first); elsewhere from the first candidate prefix whose system.reg holds a
// non-empty value, whose drives then map the game's paths, and after those the
// places of the game launchers (see game_search.h). Not found: empty root,
// paths still usable, and every place passed over.
GameInstall locateGame(const Environment& env);

// The same over one given source (tests, and the Windows path).
GameInstall locateGame(const RegistrySource& source, std::shared_ptr<const PathMapper> paths);

// The game in a folder named by hand (QUORVELL_GAME_ROOT, or a folder chosen in
// the window): root is used as it stands when root + "\Content\T3\Maps"
// (any case) is a folder; nullopt otherwise.
std::optional<GameInstall> gameInFolder(std::string root, std::shared_ptr<const PathMapper> paths);

// What a player reads when the game was not found: one line saying so, then
// one line per place passed over.
std::string notFoundReport(const GameInstall& game);

} // namespace quorvell::discovery
