#pragma once

// What each command found or did, before it is put into words or JSON.

#include "cli/arguments.h"
#include "session/game_lookup.h"
#include "session/missing_textures.h"
#include "session/runs.h"
#include "session/scan.h"

#include <cstddef>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

namespace quorvell::cli {

using session::BatchResult;
using session::FoundGame;
using session::MapChange;

struct PresetFileReport {
    std::filesystem::path file;
    bool found = false;
    std::size_t count = 0;
};

struct StatusReport {
    FoundGame game;
    std::filesystem::path mapsFolder;
    std::size_t maps = 0;
    std::size_t textures = 0;
    std::size_t texturesOn = 0;
    PresetFileReport presets;
    std::vector<std::string> problems; // folders that could not be listed
    std::vector<session::MissingTexture> missing;
};

struct TextureLine {
    std::string name;
    std::string folder; // as the game names it, "\Content\T3\Bitmaps"
    bool on = false;    // the check mark
    session::MapCount count;
};

struct ListReport {
    std::vector<TextureLine> textures;
    std::size_t maps = 0;
    std::vector<session::MissingTexture> missing;
};

struct PresetBlock {
    std::string name;
    std::vector<std::string> entries;
    bool closed = true; // false: no "}" before the end of the file
};

struct PresetsReport {
    PresetFileReport file;
    std::vector<PresetBlock> presets;
};

// A texture named to be switched on whose name no map can hold.
struct UnwritableName {
    std::string name;
    std::string reason;
};

// apply, remove, on, off.
struct ChangeReport {
    Command command = Command::None;
    std::string preset;                // apply and remove
    std::vector<std::string> textures; // on and off
    bool missing = false;              // off --missing: textures holds what was found
    bool dryRun = false;
    // Removing a preset that holds "*" or "xbrick" stops before any map.
    bool stoppedBySpecialEntry = false;
    std::size_t maps = 0;
    BatchResult batch;
    std::vector<UnwritableName> unwritable; // on: not switched on, and why

    std::size_t referencesChanged() const {
        return std::accumulate(
            batch.changed.begin(), batch.changed.end(), std::size_t{0},
            [](std::size_t sum, const MapChange& change) { return sum + change.references; });
    }
};

} // namespace quorvell::cli
