#include "base/path_text.h"
#include "discovery/launcher_prefixes.h"

#include <yaml-cpp/yaml.h>

namespace quorvell::discovery {

namespace {

namespace fs = std::filesystem;

// A Lutris game file: "game:" holds "prefix: /home/u/Games/thief" for a game
// run through Wine; native games have none.
void addPrefix(const fs::path& file, const fs::path& home, LauncherPrefixes& found) {
    const auto text = launcherFileText(file, found.passedOver);
    if (!text) {
        return;
    }
    std::string prefix;
    try {
        const YAML::Node root = YAML::Load(*text);
        // A key that is missing gives a node that is not even defined.
        const YAML::Node game = root.IsMap() ? root["game"] : YAML::Node();
        const YAML::Node value = game.IsDefined() && game.IsMap() ? game["prefix"] : YAML::Node();
        if (value.IsDefined() && value.IsScalar()) {
            prefix = value.Scalar();
        }
    } catch (const YAML::Exception&) {
        found.passedOver.push_back({pathText(file), "cannot be read as a Lutris game file"});
        return;
    }
    if (prefix.empty()) {
        found.passedOver.push_back({pathText(file), "names no Wine prefix"});
        return;
    }
    found.prefixes.push_back(launcherPath(prefix, home));
}

} // namespace

LauncherPrefixes lutrisPrefixes(const fs::path& home) {
    LauncherPrefixes found;
    for (const fs::path& games :
         {home / ".local" / "share" / "lutris" / "games", home / ".config" / "lutris" / "games",
          home / ".var" / "app" / "net.lutris.Lutris" / "data" / "lutris" / "games"}) {
        for (const fs::path& file :
             folderEntries(games, ".yml", "Lutris's game files", found.passedOver)) {
            addPrefix(file, home, found);
        }
    }
    return found;
}

} // namespace quorvell::discovery
