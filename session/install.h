#pragma once

// The install opened once: the game, its custom textures in the list's
// order with the folder of each, its maps in the list's order, and the
// presets with the file they were read from.

#include "base/io_error.h"
#include "patching/texture_row.h"
#include "presets/preset_file.h"
#include "session/game_lookup.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::session {

// Nothing can be done: the game was not found or its maps folder cannot be
// listed.
class InstallError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Install {
    FoundGame game;
    std::filesystem::path mapsFolder;
    patching::TextureRows rows;              // List2: sorted, all unchecked
    std::vector<std::string_view> folders;   // the game folder of each row
    std::vector<std::filesystem::path> maps; // List3: sorted
    // Texture folders that could not be listed; the rest still counts.
    std::vector<IoError> problems;

    std::vector<std::string> texts() const;
};

// Throws InstallError.
Install openInstall(FoundGame game);

struct Presets {
    // The file read; when none was found, where the last place would have it.
    std::filesystem::path file;
    bool found = false; // false: no file, which is no error
    presets::PresetFile content;
    std::string notFound; // when not found: every place looked in
};

// Presets.ini from the first of places that holds one (presetPlaces: the
// working folder, the program's, the per-user one). Throws IoError for a file
// that cannot be read.
Presets findPresets(const std::vector<std::filesystem::path>& places);
// A file named by the player, which must exist. Throws IoError.
Presets readPresets(const std::filesystem::path& file);

} // namespace quorvell::session
