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

// The game install as start-up finds it.
struct GameInstall {
    std::string root; // Text2: exactly as read (UTF-8); empty when not found
    std::optional<std::filesystem::path> winePrefix; // the prefix it came from (Linux)
    std::shared_ptr<const PathMapper> paths;         // never null

    bool found() const { return !root.empty(); }
    // root + relative (relative begins with a backslash), mapped to the host.
    std::filesystem::path hostPath(std::string_view relative) const;
};

// Wine prefixes to look in, in order: $WINEPREFIX when set, otherwise ~/.wine;
// then the Proton prefixes of Steam app 6980 that exist in the Steam libraries
// found under the usual Steam roots. Each prefix once.
std::vector<std::filesystem::path> candidateWinePrefixes(const Environment& env);

// Reads ION_ROOT. On Windows from the registry (32-bit view first); elsewhere
// from the first candidate prefix whose system.reg holds a non-empty value,
// whose drives then map the game's paths. Not found: empty root, and paths
// still usable.
GameInstall LocateGameRoot(const Environment& env);

// The same over one given source (tests, and the Windows path).
GameInstall LocateGameRoot(const RegistrySource& source, std::shared_ptr<const PathMapper> paths);

} // namespace quorvell::discovery
