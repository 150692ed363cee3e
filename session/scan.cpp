#include "session/scan.h"

#include "session/missing_textures.h"

#include <algorithm>

namespace quorvell::session {

std::string mapCountText(const MapCount& count) {
    if (count.using_ == 0) {
        return "used by no map";
    }
    return "on in " + std::to_string(count.on) + " of " + std::to_string(count.using_) +
           (count.using_ == 1 ? " map" : " maps");
}

ScanResult scanMaps(const std::vector<std::filesystem::path>& maps,
                    const patching::TextureRows& rows, RunContext& context,
                    const MapScanned& mapScanned, patching::ReferenceSet* references,
                    std::vector<IoError>* unreadable, MissingTextureScan* missing) {
    const std::size_t rowCount = rows.size();
    ScanResult result{std::vector<bool>(rowCount, false), std::vector<MapCount>(rowCount), 0};
    const patching::ScanIndex index(rows);
    patching::ReferenceSet own;
    patching::ReferenceSet& list1 = references != nullptr ? *references : own;
    std::vector<bool> on(rowCount);
    std::vector<bool> used(rowCount);
    // The later rows of each name, by the first row the maps match.
    std::vector<std::vector<std::size_t>> twins(rowCount);
    for (std::size_t row = 0; row < rowCount; ++row) {
        const auto base = patching::ansiBaseNameOf(rows[row].text);
        const auto first = base ? index.firstMatch(*base) : std::nullopt;
        if (first && *first != row) {
            twins[*first].push_back(row);
        }
    }
    std::vector<std::size_t> rowsOn;
    forEachMap(
        maps, context,
        [&](std::size_t, const std::filesystem::path& map) {
            list1.clear();
            patching::UnmatchedOverride unmatched;
            if (missing != nullptr) {
                missing->startMap();
                unmatched = [missing](std::string_view reference) { missing->note(reference); };
            }
            rowsOn = patching::scanMap(map, index, list1, context.loop.withinMap, unmatched);
            if (missing != nullptr) {
                missing->mapDone();
            }
            for (std::size_t i = 0, firstRows = rowsOn.size(); i < firstRows; ++i) {
                const auto& later = twins[rowsOn[i]];
                rowsOn.insert(rowsOn.end(), later.begin(), later.end());
            }
            // A row counts once per map however often the map names it.
            std::fill(on.begin(), on.end(), false);
            std::fill(used.begin(), used.end(), false);
            for (const std::size_t row : rowsOn) {
                result.marks[row] = true;
                on[row] = true;
            }
            // list1 now holds every custom reference of this map, plain or not.
            for (const std::string& reference : list1) {
                if (const auto row = index.firstMatch(reference)) {
                    used[*row] = true;
                    for (const std::size_t twin : twins[*row]) {
                        used[twin] = true;
                    }
                }
            }
            for (std::size_t row = 0; row < rowCount; ++row) {
                result.counts[row].on += on[row] ? 1 : 0;
                result.counts[row].using_ += used[row] ? 1 : 0;
            }
            ++result.mapsScanned;
            if (mapScanned) {
                mapScanned(map, rowsOn, list1);
            }
        },
        unreadable);
    return result;
}

} // namespace quorvell::session
