#pragma once

#include "discovery/environment.h"
#include "discovery/game_root.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::session {

// What led to the game folder.
enum class GameSource {
    GameOption,   // --game
    PrefixOption, // the registry of the prefix given with --prefix
    Search,       // the window's own search (QUORVELL_GAME_ROOT, prefixes, launchers)
    NotFound,
};

// install.passedOver lists every place looked at and passed over.
struct FoundGame {
    discovery::GameInstall install;
    GameSource source = GameSource::NotFound;
};

struct GameOptions {
    std::optional<std::string> game;   // --game
    std::optional<std::string> prefix; // --prefix
    discovery::Environment environment;
    std::filesystem::path workingDir; // a relative --game or --prefix is taken from here
};

FoundGame findGame(const GameOptions& options);

// A short key for scripts ("search", "game-option", ...) and the words for people.
std::string_view sourceKey(GameSource source);
std::string describeSource(const FoundGame& game);

// Why the game was not found, naming each place looked at and why it was
// passed over.
std::string notFoundMessage(const FoundGame& game);

} // namespace quorvell::session
