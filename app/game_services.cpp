#include "app/game_services.h"

#include "discovery/original_catalogue.h"
#include "session/install.h"
#include "session/preset_places.h"

namespace quorvell::app {

GameServices::GameServices(discovery::Environment environment, std::filesystem::path programDir)
    : environment_(std::move(environment)), programDir_(std::move(programDir)) {}

std::optional<presets::PresetFile>
GameServices::importPresets(const std::filesystem::path& workingDir) {
    session::Presets found = session::findPresets(session::presetPlaces(workingDir, programDir_));
    noPresetFile_ = found.notFound;
    presetFile_ = found.file;
    if (!found.found) {
        return std::nullopt;
    }
    return std::move(found.content);
}

discovery::GameInstall GameServices::locateGameRoot() {
    return discovery::locateGame(environment_);
}

std::vector<std::string> GameServices::loadOriginalCatalogue() {
    return discovery::originalCatalogue();
}

discovery::CustomTextureScan
GameServices::scanCustomTextures(const discovery::GameInstall& game,
                                 const std::vector<std::string>& list4) {
    return discovery::scanCustomTextures(game, list4);
}

discovery::MapListing GameServices::listMapFiles(const discovery::GameInstall& game) {
    return discovery::listMapFiles(game);
}

void GameServices::generateTextureList(const discovery::GameInstall& game,
                                       const std::filesystem::path& output) {
    discovery::generateTextureList(game, output);
}

} // namespace quorvell::app
