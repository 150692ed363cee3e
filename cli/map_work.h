#pragma once

// The two passes over the maps: the scan that sets the check marks, and the
// batch that brings the maps in line with them (or counts what it would do).

#include "cli/progress.h"
#include "cli/session.h"
#include "patching/map_file.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvell::cli {

struct ScanResult {
    std::vector<bool> marks;            // the check mark of each row, as the window's scan sets it
    std::vector<std::size_t> mapsOn;    // per row: maps holding its overridden reference
    std::vector<std::size_t> mapsUsing; // per row: maps referring to it at all
};

// Reads every map; writes nothing. Throws IoError.
ScanResult scanMaps(const Install& install, Progress& progress);

struct MapChange {
    std::filesystem::path map;
    std::size_t references = 0;
};

struct BatchResult {
    std::vector<MapChange> changed; // the maps that changed (or would), in list order
    std::vector<std::string> notSwitchedOn;
};

// patchPresetInMap over every map, or with dryRun the same decisions counted
// without writing. Throws IoError; maps before the failing one stay written.
BatchResult runBatch(const Install& install, const patching::BatchIndex& index, bool dryRun,
                     Progress& progress);

} // namespace quorvell::cli
