#pragma once

#include "patching/texture_row.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quorvell::bench {

struct InstallShape {
    std::size_t maps = 200;
    std::size_t recordsPerMap = 4000;
    std::size_t tailBytes = 1 << 20;
    std::size_t customTextures = 2000;
};

// Map files on disk shaped like a game install: each map holds every custom
// texture once (plain), references to original textures, other records and
// an opaque tail. Removed with the object.
class SyntheticInstall {
public:
    SyntheticInstall(std::filesystem::path folder, const InstallShape& shape);
    ~SyntheticInstall();
    SyntheticInstall(const SyntheticInstall&) = delete;
    SyntheticInstall& operator=(const SyntheticInstall&) = delete;

    const std::vector<std::filesystem::path>& maps() const { return maps_; }
    // The custom texture list, all unchecked.
    const patching::TextureRows& rows() const { return rows_; }
    // Bytes from the start of a map to the end of its end-of-table window.
    std::size_t tableBytes() const { return tableBytes_; }
    // Name offsets of the custom references in map i.
    const std::vector<std::uint64_t>& customOffsets(std::size_t map) const {
        return customOffsets_[map];
    }
    std::uint64_t totalBytes() const;

private:
    std::filesystem::path folder_;
    std::vector<std::filesystem::path> maps_;
    patching::TextureRows rows_;
    std::size_t tableBytes_ = 0;
    std::size_t tailBytes_ = 0;
    std::vector<std::vector<std::uint64_t>> customOffsets_;
};

// The synthetic maps inside a game install as the program finds it: a Wine
// prefix whose registry names the game, the custom textures as files in the
// game's texture folder, the maps in its maps folder, and a working folder
// with Presets.ini. A second prefix names a copy of the game with the same
// textures and no maps, for the program's cost without them. Removed with
// the object.
class SyntheticGame {
public:
    // Presets.ini names these: "*" (every texture on) and "xbrick" (all off).
    static constexpr const char* kAllOn = "all";
    static constexpr const char* kAllOff = "none";

    SyntheticGame(const std::filesystem::path& folder, const InstallShape& shape);
    ~SyntheticGame();
    SyntheticGame(const SyntheticGame&) = delete;
    SyntheticGame& operator=(const SyntheticGame&) = delete;

    const SyntheticInstall& install() const { return *install_; }
    std::filesystem::path prefix(bool withMaps) const {
        return folder_ / (withMaps ? "prefix" : "prefix-without-maps");
    }
    std::filesystem::path home() const { return folder_ / "home"; }
    // Where the custom textures lie (Content/T3/Bitmaps of the game).
    std::filesystem::path texturesFolder(bool withMaps) const;
    std::filesystem::path workDir() const { return folder_ / "work"; }

private:
    std::filesystem::path folder_;
    std::unique_ptr<SyntheticInstall> install_;
};

} // namespace quorvell::bench
