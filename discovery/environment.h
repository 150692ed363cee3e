#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quorvell::discovery {

// The bits of the process environment that discovery looks at, so tests can
// hand in their own.
struct Environment {
    std::optional<std::filesystem::path> winePrefix; // $WINEPREFIX when set and not empty
    std::optional<std::filesystem::path> home;       // $HOME
    // $QUORVELL_GAME_ROOT when set and not empty (UTF-8): the game folder named
    // by hand, for an install no search finds.
    std::optional<std::string> gameRoot = std::nullopt;
    // The game folder the player chose in the window at an earlier start
    // (UTF-8, a host folder), tried after gameRoot and before the searches.
    std::optional<std::string> chosenRoot = std::nullopt;

    static Environment fromProcess();
};

} // namespace quorvell::discovery
