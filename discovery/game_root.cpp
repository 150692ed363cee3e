#include "discovery/game_root.h"

#if defined(_WIN32)
#include "discovery/windows_registry.h"
#else
#include "discovery/wine_registry.h"
#endif

namespace quorvell::discovery {

std::filesystem::path GameInstall::hostPath(std::string_view relative) const {
    std::string gamePath = root;
    gamePath += relative; // no separator added or removed: the root stays as read
    return paths->toHost(gamePath);
}

GameInstall LocateGameRoot(const RegistrySource& source, std::shared_ptr<const PathMapper> paths) {
    GameInstall game;
    game.root = readRegistryString(source, kGameKey, kGameRootValue, "");
    game.paths =
        paths ? std::move(paths) : std::shared_ptr<const PathMapper>(makeNativePathMapper());
    return game;
}

GameInstall LocateGameRoot(const Environment& env) {
#if defined(_WIN32)
    (void)env;
    return LocateGameRoot(*makeWindowsRegistry(), makeNativePathMapper());
#else
    const auto prefixes = candidateWinePrefixes(env);
    for (const auto& prefix : prefixes) {
        GameInstall game =
            LocateGameRoot(WineRegistryFile(prefix / "system.reg"), makeWinePathMapper(prefix));
        if (game.found()) {
            game.winePrefix = prefix;
            return game;
        }
    }
    GameInstall none;
    none.paths = prefixes.empty()
                     ? std::shared_ptr<const PathMapper>(makeNativePathMapper())
                     : std::shared_ptr<const PathMapper>(makeWinePathMapper(prefixes.front()));
    return none;
#endif
}

} // namespace quorvell::discovery
