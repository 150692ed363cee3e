#include "base/path_text.h"
#include "discovery/game_search.h"
#include "discovery/launcher_prefixes.h"
#include "discovery/prefix_reading.h"
#include "discovery/steam_libraries.h"

#include <optional>
#include <set>
#include <system_error>

namespace quorvell::discovery {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSteamAppId = "6980";

std::string staleRootReason(const PrefixReading& reading) {
    GameInstall named;
    named.root = reading.root;
    named.paths = makeWinePathMapper(reading.prefix);
    std::error_code ec;
    const bool gone = !fs::is_directory(named.hostPath(""), ec);
    return "ION_ROOT names " + reading.root +
           (gone ? ", a folder that is not there" : ", which holds no Content\\T3\\Maps");
}

class Search {
public:
    explicit Search(const Environment& env) : env_(env) {}

    std::optional<GameInstall> run() {
        for (const fs::path& prefix : candidateWinePrefixes(env_)) {
            if (auto game = tryPrefix(prefix, kindOfCandidate(prefix))) {
                return game;
            }
        }
        if (!env_.home) {
            return std::nullopt;
        }
        const fs::path& home = *env_.home;
        if (auto game = trySteamFolders(home)) {
            return game;
        }
        const std::pair<LauncherPrefixes (*)(const fs::path&), const char*> launchers[] = {
            {heroicPrefixes, "Heroic's"},
            {lutrisPrefixes, "Lutris'"},
            {bottlesPrefixes, "Bottles'"}};
        for (const auto& [launcher, whose] : launchers) {
            LauncherPrefixes found = launcher(home);
            passedOver_.insert(passedOver_.end(), found.passedOver.begin(), found.passedOver.end());
            for (const fs::path& prefix : found.prefixes) {
                if (auto game = tryPrefix(prefix, std::string(whose) + " Wine prefix")) {
                    return game;
                }
            }
        }
        return std::nullopt;
    }

    std::vector<PassedOver> takePassedOver() { return std::move(passedOver_); }

private:
    // A prefix two launchers name, or a link to one already read, is read once.
    bool firstVisit(const fs::path& folder) {
        std::error_code ec;
        fs::path key = fs::weakly_canonical(folder, ec);
        return seen_.insert(ec ? folder.lexically_normal() : key).second;
    }

    // What a player calls a prefix the first step reads.
    std::string kindOfCandidate(const fs::path& prefix) const {
        if (env_.winePrefix && prefix == *env_.winePrefix) {
            return "the Wine prefix of $WINEPREFIX,";
        }
        if (env_.home && prefix == *env_.home / ".wine") {
            return "the Wine prefix";
        }
        return "Steam's Proton prefix of the game,";
    }

    // kind: how the prefix is named in the game's foundBy.
    std::optional<GameInstall> tryPrefix(const fs::path& folder, const std::string& kind) {
        if (!firstVisit(folder)) {
            return std::nullopt;
        }
        PrefixReading reading = readPrefix(folder);
        if (reading.root.empty()) {
            passedOver_.push_back({pathText(folder), std::move(reading.whyNot)});
            return std::nullopt;
        }
        // A stale value (the game moved or removed) is passed over like any
        // other place, so the search goes on to the launchers.
        auto game = gameInFolder(reading.root, makeWinePathMapper(reading.prefix));
        if (!game) {
            passedOver_.push_back({pathText(folder), staleRootReason(reading)});
            return std::nullopt;
        }
        game->winePrefix = reading.prefix;
        game->foundBy = "ION_ROOT in " + kind + " " + pathText(reading.prefix);
        return game;
    }

    std::optional<GameInstall> trySteamFolders(const fs::path& home) {
        const auto libraries = steamLibraries(home);
        if (libraries.empty()) {
            passedOver_.push_back({pathText(home / ".steam" / "steam"),
                                   "no Steam installation (nor in Steam's usual other folders)"});
        }
        const std::string manifestName = "appmanifest_" + std::string(kSteamAppId) + ".acf";
        for (const fs::path& library : libraries) {
            const fs::path manifest = library / "steamapps" / manifestName;
            std::error_code ec;
            if (!fs::is_regular_file(manifest, ec)) {
                passedOver_.push_back(
                    {pathText(manifest), "not there: the game is not in this Steam library"});
                continue;
            }
            const auto text = launcherFileText(manifest, passedOver_);
            const auto installDir = text ? parseInstallDir(*text) : std::nullopt;
            if (!installDir) {
                if (text) {
                    passedOver_.push_back({pathText(manifest), "names no install folder"});
                }
                continue;
            }
            const fs::path folder = library / "steamapps" / "common" / pathFromUtf8(*installDir);
            const fs::path prefix = library / "steamapps" / "compatdata" / kSteamAppId / "pfx";
            const bool hasPrefix = fs::is_directory(prefix, ec);
            auto game = gameInFolder(pathText(folder),
                                     hasPrefix ? makeWinePathMapper(prefix) : makeHostPathMapper());
            if (game) {
                if (hasPrefix) {
                    game->winePrefix = prefix;
                }
                game->foundBy = "the game's folder in Steam's " + pathText(manifest);
                return game;
            }
            passedOver_.push_back(
                {pathText(folder), "named by Steam, but holds no Content\\T3\\Maps"});
        }
        return std::nullopt;
    }

    const Environment& env_;
    std::set<fs::path> seen_;
    std::vector<PassedOver> passedOver_;
};

} // namespace

GameInstall searchForGame(const Environment& env) {
    Search search(env);
    std::optional<GameInstall> found = search.run();
    GameInstall game;
    if (found) {
        game = std::move(*found);
    } else {
        const auto prefixes = candidateWinePrefixes(env);
        game.paths = prefixes.empty()
                         ? std::shared_ptr<const PathMapper>(makeNativePathMapper())
                         : std::shared_ptr<const PathMapper>(makeWinePathMapper(prefixes.front()));
    }
    game.passedOver = search.takePassedOver();
    return game;
}

} // namespace quorvell::discovery
