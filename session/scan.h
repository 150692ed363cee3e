#pragma once

// The scan: every map read, the check marks and the per-map counts set from
// what they hold. Writes nothing.

#include "session/map_loop.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace quorvell::session {

// One texture's standing in the maps, defined here once for the window's
// tooltip and quorvell-cli's list.
struct MapCount {
    std::size_t on = 0;     // maps holding its overridden reference
    std::size_t using_ = 0; // maps referring to it at all, plain or overridden
};

// "on in 2 of 3 maps", "on in 0 of 1 map"; "used by no map".
std::string mapCountText(const MapCount& count);

// On in some of the maps that use it and off in others.
inline bool partlyOn(const MapCount& count) {
    return count.on > 0 && count.on < count.using_;
}

// Rows with the same texture name (twins) always carry the same mark and
// count: every row of a name is marked, not only its first.
struct ScanResult {
    std::vector<bool> marks;      // per row: the check mark (on in any map)
    std::vector<MapCount> counts; // per row
    std::size_t mapsScanned = 0;
};

// Seen after each map: the map, the rows it has on (twins included), and every custom
// reference it holds (plain or overridden, as the map spells it).
using MapScanned =
    std::function<void(const std::filesystem::path& map, const std::vector<std::size_t>& rowsOn,
                       const patching::ReferenceSet& refs)>;

class MissingTextureScan;

// Reads every map; with missing given, gathers the missing textures
// (missing_textures.h) in the same pass. references: where each map's custom references are
// gathered (the window's List1; cleared before each map), or null. With
// unreadable given, a map that cannot be read is noted and skipped.
ScanResult scanMaps(const std::vector<std::filesystem::path>& maps,
                    const patching::TextureRows& rows, RunContext& context,
                    const MapScanned& mapScanned = {}, patching::ReferenceSet* references = nullptr,
                    std::vector<IoError>* unreadable = nullptr,
                    MissingTextureScan* missing = nullptr);

} // namespace quorvell::session
