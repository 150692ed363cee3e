#include "session/install.h"

#include "base/path_text.h"
#include "discovery/game_folders.h"
#include "discovery/original_catalogue.h"
#include "discovery/sorted_order.h"

#include <algorithm>
#include <numeric>

namespace quorvell::session {

namespace {

// Indices of texts in the order of the program's sorted lists, equal texts
// in the order found (a sorted list inserts after equal rows).
std::vector<std::size_t> sortedOrder(const std::vector<std::string>& texts) {
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return discovery::sortedListLess(texts[a], texts[b]);
    });
    return order;
}

} // namespace

std::vector<std::string> Install::texts() const {
    std::vector<std::string> out;
    out.reserve(rows.size());
    for (const auto& row : rows) {
        out.push_back(row.text);
    }
    return out;
}

Install openInstall(FoundGame game) {
    if (!game.install.found()) {
        throw InstallError(notFoundMessage(game));
    }
    Install install;
    install.mapsFolder = game.install.hostPath(discovery::kMapsFolder);

    const auto scan = discovery::scanCustomTextures(game.install, discovery::originalCatalogue());
    for (const std::size_t i : sortedOrder(scan.names)) {
        install.rows.push_back({scan.names[i], false});
        install.folders.push_back(scan.folders[i]);
    }
    install.problems = scan.problems;

    auto listing = discovery::listMapFiles(game.install);
    if (!listing.problems.empty()) {
        const IoError& problem = listing.problems.front();
        throw InstallError("the maps folder " + problem.path() +
                           " cannot be listed: " + problem.reason());
    }
    std::vector<std::string> mapTexts;
    for (const auto& path : listing.paths) {
        mapTexts.push_back(pathText(path));
    }
    for (const std::size_t i : sortedOrder(mapTexts)) {
        install.maps.push_back(listing.paths[i]);
    }
    install.game = std::move(game);
    return install;
}

Presets findPresets(const std::vector<std::filesystem::path>& places) {
    Presets presets;
    // Nothing found: a save writes the file in the last place read (the
    // per-user folder).
    for (const auto& place : places) {
        if (!place.empty()) {
            presets.file = place / "Presets.ini";
        }
    }
    if (auto file = presets::findPresetFile(places)) {
        presets.file = file->path;
        presets.content = std::move(*file);
        presets.found = true;
    } else {
        presets.notFound = presets::noPresetFileNote(places);
    }
    return presets;
}

Presets readPresets(const std::filesystem::path& file) {
    Presets presets;
    presets.file = file;
    presets.content = presets::readPresetFile(file);
    presets.found = true;
    return presets;
}

} // namespace quorvell::session
