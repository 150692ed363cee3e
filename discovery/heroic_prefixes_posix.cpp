#include "base/path_text.h"
#include "discovery/launcher_prefixes.h"

#include <nlohmann/json.hpp>

namespace quorvell::discovery {

namespace {

namespace fs = std::filesystem;

// A GamesConfig file holds one object per game, keyed by the game's id:
// { "<id>": { "winePrefix": "/home/u/Games/Heroic/Prefixes/default/Thief", ... } }.
void addWinePrefixes(const fs::path& file, const fs::path& home, LauncherPrefixes& found) {
    const auto text = launcherFileText(file, found.passedOver);
    if (!text) {
        return;
    }
    const auto json = nlohmann::json::parse(*text, nullptr, false);
    if (json.is_discarded() || !json.is_object()) {
        found.passedOver.push_back({pathText(file), "cannot be read as Heroic's game settings"});
        return;
    }
    bool named = false;
    for (const auto& [key, game] : json.items()) {
        if (!game.is_object()) {
            continue;
        }
        const auto prefix = game.find("winePrefix");
        if (prefix != game.end() && prefix->is_string() &&
            !prefix->get_ref<const std::string&>().empty()) {
            found.prefixes.push_back(launcherPath(prefix->get_ref<const std::string&>(), home));
            named = true;
        }
    }
    if (!named) {
        found.passedOver.push_back({pathText(file), "names no Wine prefix"});
    }
}

} // namespace

LauncherPrefixes heroicPrefixes(const fs::path& home) {
    LauncherPrefixes found;
    found.prefixes = folderEntries(home / "Games" / "Heroic" / "Prefixes" / "default", {},
                                   "Heroic's Wine prefixes", found.passedOver);
    for (const fs::path& settings :
         {home / ".config" / "heroic",
          home / ".var" / "app" / "com.heroicgameslauncher.hgl" / "config" / "heroic"}) {
        for (const fs::path& file : folderEntries(settings / "GamesConfig", ".json",
                                                  "Heroic's game settings", found.passedOver)) {
            addWinePrefixes(file, home, found);
        }
    }
    return found;
}

} // namespace quorvell::discovery
