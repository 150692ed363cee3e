#include "app/game_services.h"

#include "discovery/original_catalogue.h"
#include "session/install.h"
#include "session/preset_places.h"

#include <QtCore/QSettings>

namespace quorvell::app {

GameServices::GameServices(discovery::Environment environment, std::filesystem::path programDir)
    : environment_(std::move(environment)), programDir_(std::move(programDir)) {}

GameServices::GameServices(discovery::Environment environment, std::filesystem::path programDir,
                           std::filesystem::path settingsFile)
    : environment_(std::move(environment)), programDir_(std::move(programDir)),
      settingsFile_(std::move(settingsFile)) {}

namespace {
constexpr const char* kGameFolderKey = "gameFolder";
constexpr const char* kWindowKey = "windowPosition";

std::unique_ptr<QSettings> openSettings(const std::filesystem::path& file) {
    if (file.empty()) {
        return std::make_unique<QSettings>(QStringLiteral("Quorvell"), QStringLiteral("Quorvell"));
    }
    return std::make_unique<QSettings>(QString::fromStdString(file.string()), QSettings::IniFormat);
}
} // namespace

void GameServices::rememberGameFolder(const std::string& root) {
    openSettings(settingsFile_)->setValue(kGameFolderKey, QString::fromStdString(root));
}

std::optional<QPoint> GameServices::windowPosition() {
    const QVariant value = openSettings(settingsFile_)->value(kWindowKey);
    return value.isValid() ? std::optional<QPoint>(value.toPoint()) : std::nullopt;
}

void GameServices::rememberWindowPosition(const QPoint& topLeft) {
    openSettings(settingsFile_)->setValue(kWindowKey, topLeft);
}

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
    discovery::Environment environment = environment_;
    const QString chosen = openSettings(settingsFile_)->value(kGameFolderKey).toString();
    if (!chosen.isEmpty()) {
        environment.chosenRoot = chosen.toStdString();
    }
    return discovery::locateGame(environment);
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
