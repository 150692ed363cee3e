#include "session/game_lookup.h"

#include "base/path_text.h"
#include "discovery/path_mapper.h"

#if !defined(_WIN32)
#include "discovery/wine_registry.h"
#endif

#include <system_error>

namespace quorvell::session {

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

FoundGame fromPrefix(const fs::path& prefix, GameSource source) {
    FoundGame found;
    found.install = discovery::locateGame(discovery::WineRegistryFile(prefix / "system.reg"),
                                          discovery::makeWinePathMapper(prefix));
    if (found.install.found()) {
        found.install.winePrefix = prefix;
        found.install.foundBy =
            "ION_ROOT in the Wine prefix " + pathText(prefix) + " (given with --prefix)";
        found.source = source;
    } else {
        found.install.passedOver.push_back(
            {pathText(prefix / "system.reg"), "no install folder (ION_ROOT) is recorded there"});
    }
    return found;
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
#if !defined(_WIN32)
    if (options.prefix) {
        return fromPrefix(absoluteFrom(options.workingDir, *options.prefix),
                          GameSource::PrefixOption);
    }
#endif
    FoundGame found;
    found.install = discovery::locateGame(options.environment);
    found.source = found.install.found() ? GameSource::Search : GameSource::NotFound;
    return found;
}

std::string_view sourceKey(GameSource source) {
    switch (source) {
    case GameSource::GameOption:
        return "game-option";
    case GameSource::PrefixOption:
        return "prefix-option";
    case GameSource::Search:
        return "search";
    case GameSource::NotFound:
        break;
    }
    return "not-found";
}

std::string describeSource(const FoundGame& game) {
    if (game.source == GameSource::GameOption) {
        return game.install.winePrefix ? "given with --game, read through the Wine prefix " +
                                             pathText(*game.install.winePrefix)
                                       : "given with --game";
    }
    return game.install.foundBy;
}

std::string notFoundMessage(const FoundGame& game) {
    return discovery::notFoundReport(game.install) +
           "\nSet QUORVELL_GAME_ROOT or WINEPREFIX, or use --game or --prefix.";
}

} // namespace quorvell::session
