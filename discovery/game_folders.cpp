#include "discovery/game_folders.h"

#include "base/ansi_text.h"
#include "base/path_text.h"
#include "discovery/folder_lister.h"
#include "discovery/original_catalogue.h"

#include <cerrno>
#include <fstream>
#include <optional>

namespace quorvell::discovery {

namespace {

constexpr std::string_view kTexturePattern = "*.dds";
constexpr std::string_view kMapPattern = "*.ibt";

} // namespace

CustomTextureScan scanCustomTextures(const GameInstall& game,
                                     const std::vector<std::string>& list4) {
    CustomTextureScan scan;
    if (!game.found()) {
        return scan; // the caller reports the missing game once, not per folder
    }
    for (const std::string_view folder : kTextureFolders) {
        try {
            for (auto& name : listFolder(game.hostPath(folder), kTexturePattern)) {
                if (!isOriginalTexture(list4, name)) {
                    scan.names.push_back(std::move(name));
                    scan.folders.push_back(folder);
                }
            }
        } catch (const IoError& problem) {
            scan.problems.push_back(problem);
        }
    }
    return scan;
}

MapListing listMapFiles(const GameInstall& game) {
    MapListing listing;
    if (!game.found()) {
        return listing;
    }
    const std::filesystem::path folder = game.hostPath(kMapsFolder);
    try {
        for (const auto& name : listFolder(folder, kMapPattern)) {
            listing.paths.push_back(folder / pathFromUtf8(name));
        }
    } catch (const IoError& problem) {
        listing.problems.push_back(problem);
    }
    return listing;
}

void generateTextureList(const GameInstall& game, const std::filesystem::path& output) {
    // Every folder is listed before the file is touched, so a folder that
    // cannot be read leaves an earlier list in place instead of half a new one.
    std::string lines;
    for (const std::string_view folder : kTextureFolders) {
        for (const auto& name : listFolder(game.hostPath(folder), kTexturePattern)) {
            lines += "list4.additem \"";
            lines += ansi::fromUtf8Lossy(name);
            lines += "\"\r\n";
        }
    }
    errno = 0;
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw IoError(pathText(output), errno != 0 ? systemReason(errno) : "cannot be created");
    }
    out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
    out.close();
    if (!out) {
        throw IoError(pathText(output), "could not be written completely");
    }
}

} // namespace quorvell::discovery
