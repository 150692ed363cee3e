#pragma once

#include "discovery/environment.h"
#include "discovery/game_root.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::cli {

// What led to the game folder.
enum class GameSource {
    GameOption,         // --game
    PrefixOption,       // the registry of the prefix given with --prefix
    WinePrefixVariable, // the registry of $WINEPREFIX
    HomeWine,           // the registry of ~/.wine
    Proton,             // the registry of Steam's Proton prefix of the game
    WindowsRegistry,    // Windows' own registry
    NotFound,
};

struct FoundGame {
    discovery::GameInstall install;
    GameSource source = GameSource::NotFound;
    // The Wine prefixes whose registry was read, in order (Linux).
    std::vector<std::filesystem::path> looked;
};

struct GameOptions {
    std::optional<std::string> game;   // --game
    std::optional<std::string> prefix; // --prefix
    discovery::Environment environment;
    std::filesystem::path workingDir; // a relative --game or --prefix is taken from here
};

FoundGame findGame(const GameOptions& options);

// A short key for scripts ("WINEPREFIX", "proton", ...) and the words for people.
std::string_view sourceKey(GameSource source);
std::string describeSource(const FoundGame& game);

// Why the game was not found, naming what was read.
std::string notFoundMessage(const FoundGame& game);

} // namespace quorvell::cli
