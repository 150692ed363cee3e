#pragma once

// Linux: the Wine prefixes that game launchers keep, found through the
// launchers' own folders and files.

#include "discovery/game_root.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::discovery {

struct LauncherPrefixes {
    std::vector<std::filesystem::path> prefixes; // in the order to try
    std::vector<PassedOver> passedOver;          // launcher folders and files that named none
};

// Heroic (GOG and Epic games): each folder under ~/Games/Heroic/Prefixes/default,
// then the "winePrefix" of each GamesConfig/*.json of Heroic's settings
// (~/.config/heroic, then the Flatpak's).
LauncherPrefixes heroicPrefixes(const std::filesystem::path& home);

// Lutris: the prefix under game: of each *.yml in its game folders (native
// data, native settings, Flatpak).
LauncherPrefixes lutrisPrefixes(const std::filesystem::path& home);

// Bottles: each bottle folder (native, then Flatpak).
LauncherPrefixes bottlesPrefixes(const std::filesystem::path& home);

// Shared by the three: the entries of a folder, sorted by name, that are
// folders (extension empty) or files ending in extension. A missing or
// unreadable folder gives nothing and is noted in passedOver with what it is.
std::vector<std::filesystem::path> folderEntries(const std::filesystem::path& folder,
                                                 std::string_view extension,
                                                 std::string_view whatItHolds,
                                                 std::vector<PassedOver>& passedOver);

// The whole text of a launcher's file; on failure nullopt, noted in passedOver.
std::optional<std::string> launcherFileText(const std::filesystem::path& file,
                                            std::vector<PassedOver>& passedOver);

// A prefix path as a launcher writes it: "~/" stands for home.
std::filesystem::path launcherPath(std::string_view text, const std::filesystem::path& home);

} // namespace quorvell::discovery
