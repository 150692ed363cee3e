#pragma once

#include "patching/texture_row.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
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

} // namespace quorvell::bench
