#include "discovery/game_root.h"
#include "discovery/steam_libraries.h"

#include <set>
#include <system_error>

namespace quorvell::discovery {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSteamAppId = "6980"; // the game's Steam release

fs::path canonicalOrNormal(const fs::path& path) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(path, ec);
    return ec ? path.lexically_normal() : canonical;
}

} // namespace

std::vector<fs::path> candidateWinePrefixes(const Environment& env) {
    std::vector<fs::path> prefixes;
    std::set<fs::path> seen;
    auto add = [&](const fs::path& prefix) {
        if (seen.insert(canonicalOrNormal(prefix)).second) {
            prefixes.push_back(prefix);
        }
    };
    if (env.winePrefix) {
        add(*env.winePrefix);
    } else if (env.home) {
        add(*env.home / ".wine");
    }
    if (env.home) {
        for (const auto& library : steamLibraries(*env.home)) {
            const fs::path prefix = library / "steamapps" / "compatdata" / kSteamAppId / "pfx";
            std::error_code ec;
            if (fs::is_directory(prefix, ec)) {
                add(prefix);
            }
        }
    }
    return prefixes;
}

} // namespace quorvell::discovery
