#pragma once

// What the window gathers at start-up, gathered the same way: the game, its
// custom textures in the list's order, its maps in the list's order, and the
// presets.

#include "base/io_error.h"
#include "cli/game_lookup.h"
#include "patching/texture_row.h"
#include "presets/preset_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::cli {

struct SessionOptions {
    GameOptions game;
    std::optional<std::string> presetFile; // --presets
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

// Finds the game, its textures and maps. Throws Failure when the game is not
// found or its maps folder cannot be listed: nothing can be done then.
Install openInstall(const SessionOptions& options);
// The same from a game already looked up.
Install openInstall(FoundGame game);

struct Presets {
    std::filesystem::path file;
    bool found = false; // false: the default file is missing, which is no error
    presets::PresetFile content;
};

// --presets FILE, which must exist, or Presets.ini in the working folder,
// which may be missing as it may for the window. Throws IoError.
Presets loadPresets(const SessionOptions& options);

} // namespace quorvell::cli
