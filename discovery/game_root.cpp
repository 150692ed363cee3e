#include "discovery/game_root.h"

#include "base/path_text.h"
#include "discovery/game_folders.h"

#include <system_error>

#if defined(_WIN32)
#include "discovery/windows_registry.h"
#else
#include "discovery/game_search.h"
#endif

namespace quorvell::discovery {

namespace {

// QUORVELL_GAME_ROOT: a host folder as it stands; on Linux a Windows path goes
// through the drives of the prefix Wine itself would use.
std::shared_ptr<const PathMapper> namedRootPaths(const Environment& env) {
#if defined(_WIN32)
    (void)env;
    return makeNativePathMapper();
#else
    if (env.gameRoot->starts_with('/')) {
        return makeHostPathMapper();
    }
    if (env.winePrefix) {
        return makeWinePathMapper(*env.winePrefix);
    }
    if (env.home) {
        return makeWinePathMapper(*env.home / ".wine");
    }
    return makeHostPathMapper();
#endif
}

// Paths under the home folder written as ~, so the report stays readable.
void shortenHome(std::vector<PassedOver>& passedOver, const Environment& env) {
    if (!env.home) {
        return;
    }
    std::string home = pathText(*env.home);
    if (home.empty() || home == "/") {
        return;
    }
    if (home.back() != '/') {
        home += '/';
    }
    for (PassedOver& place : passedOver) {
        if (place.place.starts_with(home)) {
            place.place = "~/" + place.place.substr(home.size());
        }
    }
}

} // namespace

std::filesystem::path GameInstall::hostPath(std::string_view relative) const {
    std::string gamePath = root;
    gamePath += relative; // no separator added or removed: the root stays as read
    return paths->toHost(gamePath);
}

GameInstall locateGame(const RegistrySource& source, std::shared_ptr<const PathMapper> paths) {
    GameInstall game;
    game.root = readRegistryString(source, kGameKey, kGameRootValue, "");
    game.paths =
        paths ? std::move(paths) : std::shared_ptr<const PathMapper>(makeNativePathMapper());
    return game;
}

std::optional<GameInstall> gameInFolder(std::string root, std::shared_ptr<const PathMapper> paths) {
    GameInstall game;
    game.root = std::move(root);
    game.paths = std::move(paths);
    std::error_code ec;
    if (game.root.empty() || !std::filesystem::is_directory(game.hostPath(kMapsFolder), ec)) {
        return std::nullopt;
    }
    return game;
}

GameInstall locateGame(const Environment& env) {
    std::vector<PassedOver> passedOver;
    if (env.gameRoot) {
        auto named = gameInFolder(*env.gameRoot, namedRootPaths(env));
        if (named) {
            named->foundBy = "QUORVELL_GAME_ROOT";
            return std::move(*named);
        }
        passedOver.push_back(
            {"QUORVELL_GAME_ROOT (" + *env.gameRoot + ")", "holds no Content\\T3\\Maps folder"});
    }
    if (env.chosenRoot) {
        if (auto chosen = gameInFolder(*env.chosenRoot, makeHostPathMapper())) {
            chosen->foundBy = "the folder chosen at an earlier start";
            chosen->passedOver = std::move(passedOver);
            return std::move(*chosen);
        }
        passedOver.push_back({"the folder chosen at an earlier start (" + *env.chosenRoot + ")",
                              "holds no Content\\T3\\Maps folder"});
    }
#if defined(_WIN32)
    GameInstall game = locateGame(*makeWindowsRegistry(), makeNativePathMapper());
    if (!game.found()) {
        game.passedOver.push_back({"HKEY_LOCAL_MACHINE\\" + std::string(kGameKey),
                                   "no install folder (ION_ROOT) is recorded there"});
    } else {
        game.foundBy = "ION_ROOT in the Windows registry";
    }
#else
    GameInstall game = searchForGame(env);
#endif
    passedOver.insert(passedOver.end(), game.passedOver.begin(), game.passedOver.end());
    shortenHome(passedOver, env);
    game.passedOver = std::move(passedOver);
    return game;
}

std::string notFoundReport(const GameInstall& game) {
    std::string text = "Thief - Deadly Shadows was not found.";
    if (!game.passedOver.empty()) {
        text += " Quorvell looked here:";
    }
    for (const PassedOver& place : game.passedOver) {
        text += "\n  " + place.place + ": " + place.reason;
    }
    return text;
}

} // namespace quorvell::discovery
