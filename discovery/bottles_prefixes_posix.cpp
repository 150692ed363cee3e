#include "discovery/launcher_prefixes.h"

namespace quorvell::discovery {

namespace fs = std::filesystem;

// Each bottle is a Wine prefix of its own, in a folder named after it.
LauncherPrefixes bottlesPrefixes(const fs::path& home) {
    LauncherPrefixes found;
    for (const fs::path& bottles :
         {home / ".local" / "share" / "bottles" / "bottles",
          home / ".var" / "app" / "com.usebottles.bottles" / "data" / "bottles" / "bottles"}) {
        for (fs::path& bottle : folderEntries(bottles, {}, "Bottles' bottles", found.passedOver)) {
            found.prefixes.push_back(std::move(bottle));
        }
    }
    return found;
}

} // namespace quorvell::discovery
