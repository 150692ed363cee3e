#pragma once

// What start-up and the developer buttons read from outside the program: the
// preset file, the game install and its folders. The window calls these and
// nothing else, so tests can hand it an install of their own.

#include "discovery/environment.h"
#include "discovery/game_folders.h"
#include "discovery/game_root.h"
#include "presets/preset_file.h"

#include <QtCore/QPoint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvell::app {

class GameServices {
public:
    // programDir: the folder holding the program, the second place Presets.ini
    // is looked for.
    explicit GameServices(discovery::Environment environment,
                          std::filesystem::path programDir = {});
    // settingsFile: where the chosen game folder and the window's place are
    // kept; empty: QSettings' native per-user place.
    GameServices(discovery::Environment environment, std::filesystem::path programDir,
                 std::filesystem::path settingsFile);
    virtual ~GameServices() = default;

    // Presets.ini from workingDir, else from the program's folder, else from
    // the per-user folder.
    virtual std::optional<presets::PresetFile>
    importPresets(const std::filesystem::path& workingDir);
    // After an import that found no file: where it was looked for; else empty.
    const std::string& noPresetFile() const { return noPresetFile_; }
    // After an import: the file read, or the per-user one a save would make.
    const std::filesystem::path& presetFile() const { return presetFile_; }
    // QUORVELL_GAME_ROOT, then the folder chosen at an earlier start, then
    // the searches.
    virtual discovery::GameInstall locateGameRoot();
    // A folder chosen by hand, tried at the next start.
    virtual void rememberGameFolder(const std::string& root);
    // Where the window was last left; nullopt at the first start.
    virtual std::optional<QPoint> windowPosition();
    virtual void rememberWindowPosition(const QPoint& topLeft);
    virtual std::vector<std::string> loadOriginalCatalogue();
    virtual discovery::CustomTextureScan scanCustomTextures(const discovery::GameInstall& game,
                                                            const std::vector<std::string>& list4);
    virtual discovery::MapListing listMapFiles(const discovery::GameInstall& game);
    virtual void generateTextureList(const discovery::GameInstall& game,
                                     const std::filesystem::path& output);

private:
    discovery::Environment environment_;
    std::filesystem::path programDir_;
    std::string noPresetFile_;
    std::filesystem::path presetFile_;
    std::filesystem::path settingsFile_;
};

} // namespace quorvell::app
