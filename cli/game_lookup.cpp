#include "cli/game_lookup.h"

#include "base/path_text.h"
#include "discovery/path_mapper.h"

#if !defined(_WIN32)
#include "discovery/wine_registry.h"
#endif

#include <system_error>

namespace quorvell::cli {

namespace {

namespace fs = std::filesystem;

fs::path absoluteFrom(const fs::path& workingDir, const std::string& text) {
    const fs::path path = pathFromUtf8(text);
    return path.is_absolute() ? path : workingDir / path;
}

#if !defined(_WIN32)
bool hasDriveLetter(std::string_view text) {
    return text.size() >= 2 && text[1] == ':' &&
           ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

bool samePath(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

FoundGame fromPrefix(const fs::path& prefix, GameSource source) {
    FoundGame found;
    found.looked.push_back(prefix);
    found.install = discovery::LocateGameRoot(discovery::WineRegistryFile(prefix / "system.reg"),
                                              discovery::makeWinePathMapper(prefix));
    if (found.install.found()) {
        found.install.winePrefix = prefix;
        found.source = source;
    }
    return found;
}

GameSource sourceOfPrefix(const fs::path& prefix, const discovery::Environment& env) {
    if (env.winePrefix && samePath(prefix, *env.winePrefix)) {
        return GameSource::WinePrefixVariable;
    }
    if (!env.winePrefix && env.home && samePath(prefix, *env.home / ".wine")) {
        return GameSource::HomeWine;
    }
    return GameSource::Proton;
}
#endif

// --game: the folder as given. On Linux a Windows path ("C:\Games\...") is
// read through a prefix's drives; a host path is used as it stands, its
// folders matched without regard to case as Wine would.
FoundGame fromGameOption(const GameOptions& options) {
    FoundGame found;
    found.source = GameSource::GameOption;
#if defined(_WIN32)
    found.install.root = pathText(absoluteFrom(options.workingDir, *options.game));
    found.install.paths = discovery::makeNativePathMapper();
#else
    std::optional<fs::path> prefix;
    if (options.prefix) {
        prefix = absoluteFrom(options.workingDir, *options.prefix);
    } else if (const auto candidates = discovery::candidateWinePrefixes(options.environment);
               !candidates.empty()) {
        prefix = candidates.front();
    }
    if (hasDriveLetter(*options.game) && prefix) {
        found.install.root = *options.game;
        found.install.winePrefix = prefix;
    } else {
        found.install.root = pathText(absoluteFrom(options.workingDir, *options.game));
    }
    found.install.paths = discovery::makeWinePathMapper(prefix.value_or(fs::path("/")));
#endif
    return found;
}

} // namespace

FoundGame findGame(const GameOptions& options) {
    if (options.game) {
        return fromGameOption(options);
    }
#if defined(_WIN32)
    FoundGame found;
    found.install = discovery::LocateGameRoot(options.environment);
    found.source = found.install.found() ? GameSource::WindowsRegistry : GameSource::NotFound;
    return found;
#else
    if (options.prefix) {
        return fromPrefix(absoluteFrom(options.workingDir, *options.prefix),
                          GameSource::PrefixOption);
    }
    FoundGame found;
    for (const fs::path& prefix : discovery::candidateWinePrefixes(options.environment)) {
        FoundGame one = fromPrefix(prefix, sourceOfPrefix(prefix, options.environment));
        found.looked.push_back(prefix);
        if (one.install.found()) {
            one.looked = found.looked;
            return one;
        }
    }
    found.install.paths = discovery::makeNativePathMapper();
    return found;
#endif
}

std::string_view sourceKey(GameSource source) {
    switch (source) {
    case GameSource::GameOption:
        return "game-option";
    case GameSource::PrefixOption:
        return "prefix-option";
    case GameSource::WinePrefixVariable:
        return "WINEPREFIX";
    case GameSource::HomeWine:
        return "home-wine";
    case GameSource::Proton:
        return "proton";
    case GameSource::WindowsRegistry:
        return "registry";
    case GameSource::NotFound:
        break;
    }
    return "not-found";
}

std::string describeSource(const FoundGame& game) {
    const std::string prefix =
        game.install.winePrefix ? pathText(*game.install.winePrefix) : std::string();
    switch (game.source) {
    case GameSource::GameOption:
        return prefix.empty() ? "given with --game"
                              : "given with --game, read through the Wine prefix " + prefix;
    case GameSource::PrefixOption:
        return "ION_ROOT in the Wine prefix " + prefix + " (given with --prefix)";
    case GameSource::WinePrefixVariable:
        return "ION_ROOT in the Wine prefix " + prefix + " ($WINEPREFIX)";
    case GameSource::HomeWine:
        return "ION_ROOT in the Wine prefix " + prefix + " (~/.wine)";
    case GameSource::Proton:
        return "ION_ROOT in Steam's Proton prefix of the game, " + prefix;
    case GameSource::WindowsRegistry:
        return "ION_ROOT in the Windows registry";
    case GameSource::NotFound:
        break;
    }
    return "not found";
}

std::string notFoundMessage(const FoundGame& game) {
    std::string message = "Thief - Deadly Shadows was not found: no install folder (ION_ROOT) is "
                          "recorded in ";
#if defined(_WIN32)
    message += "the registry";
#else
    if (game.looked.empty()) {
        message += "any Wine prefix (none was found; set WINEPREFIX or use --prefix or --game)";
        return message;
    }
    bool first = true;
    for (const auto& prefix : game.looked) {
        message += first ? "" : ", ";
        message += pathText(prefix / "system.reg");
        first = false;
    }
    message += " (set WINEPREFIX or use --prefix or --game)";
#endif
    (void)game;
    return message;
}

} // namespace quorvell::cli
