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

    static Environment fromProcess();
};

} // namespace quorvell::discovery
