#pragma once

// What start-up and the developer buttons read from outside the program: the
// preset file, the game install and its folders. The window calls these and
// nothing else, so tests can hand it an install of their own.

#include "discovery/environment.h"
#include "discovery/game_folders.h"
#include "discovery/game_root.h"
#include "presets/preset_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvell::app {

class GameServices {
public:
    explicit GameServices(discovery::Environment environment);
    virtual ~GameServices() = default;

    virtual std::optional<presets::PresetFile>
    importPresets(const std::filesystem::path& workingDir);
    virtual discovery::GameInstall locateGameRoot();
    virtual std::vector<std::string> loadOriginalCatalogue();
    virtual discovery::CustomTextureScan scanCustomTextures(const discovery::GameInstall& game,
                                                            const std::vector<std::string>& list4);
    virtual discovery::MapListing listMapFiles(const discovery::GameInstall& game);
    virtual void generateTextureList(const discovery::GameInstall& game,
                                     const std::filesystem::path& output);

private:
    discovery::Environment environment_;
};

} // namespace quorvell::app
