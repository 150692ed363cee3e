#pragma once

#include "base/io_error.h"
#include "discovery/game_root.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::discovery {

inline constexpr std::array<std::string_view, 3> kTextureFolders = {
    "\\Content\\T3\\Bitmaps", "\\Content\\T3\\PCTextures\\DynamicallyLoaded", "\\System\\Data"};
inline constexpr std::string_view kMapsFolder = "\\Content\\T3\\Maps";
inline constexpr std::string_view kGeneratorOutput = "H:\\Projects\\Brannoch\\Presets.ini";

// Custom textures in the order found (folder by folder, each folder in
// lister order); the caller inserts them into List2. A folder that cannot be
// listed is reported and the others are still scanned. A game that was not
// found gives nothing and no problems: the caller says so once.
struct CustomTextureScan {
    std::vector<std::string> names;
    std::vector<IoError> problems;
    std::vector<std::string_view> folders = {}; // for each name, the kTextureFolders entry it is in
};
CustomTextureScan scanCustomTextures(const GameInstall& game,
                                     const std::vector<std::string>& list4);

// Full host paths of the *.ibt files of the maps folder, in lister order,
// each the folder as it resolved on disk plus the file name. Nothing for a
// game that was not found.
struct MapListing {
    std::vector<std::filesystem::path> paths;
    std::vector<IoError> problems; // at most one: the maps folder itself
};
MapListing listMapFiles(const GameInstall& game);

// Writes one line 'list4.additem "<name>"' CR LF per *.dds of the texture
// folders to output (the fixed developer path, mapped). Throws IoError; the
// file is closed on every path. The folders are all listed before output is
// opened, so a folder that cannot be listed leaves an existing file as it was.
void generateTextureList(const GameInstall& game, const std::filesystem::path& output);

} // namespace quorvell::discovery
