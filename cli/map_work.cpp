#include "cli/map_work.h"

#include "patching/map_file.h"

#include <algorithm>

namespace quorvell::cli {

ScanResult scanMaps(const Install& install, Progress& progress) {
    const std::size_t rowCount = install.rows.size();
    ScanResult result{std::vector<bool>(rowCount, false), std::vector<std::size_t>(rowCount, 0),
                      std::vector<std::size_t>(rowCount, 0)};
    const patching::ScanIndex index(install.rows);
    patching::ReferenceSet list1;
    std::vector<bool> used(rowCount);
    for (std::size_t i = 0; i < install.maps.size(); ++i) {
        list1.clear();
        const auto marked = patching::scanMap(install.maps[i], index, list1);
        for (const std::size_t row : marked) {
            result.marks[row] = true;
            ++result.mapsOn[row];
        }
        // list1 now holds every custom reference of this map, plain or not.
        std::fill(used.begin(), used.end(), false);
        for (const std::string& reference : list1) {
            if (const auto row = index.firstMatch(reference)) {
                used[*row] = true;
            }
        }
        for (std::size_t row = 0; row < rowCount; ++row) {
            result.mapsUsing[row] += used[row] ? 1 : 0;
        }
        progress.step("Scanning maps", i + 1, install.maps.size());
    }
    progress.finish();
    return result;
}

BatchResult runBatch(const Install& install, const patching::BatchIndex& index, bool dryRun,
                     Progress& progress) {
    BatchResult result;
    for (std::size_t k = 0; k < install.maps.size(); ++k) {
        const auto& map = install.maps[k];
        patching::PatchOutcome outcome;
        try {
            outcome = dryRun ? patching::countPresetChanges(map, index)
                             : patching::patchPresetInMap(map, index);
        } catch (const IoError& failure) {
            if (dryRun || result.changed.empty()) {
                throw;
            }
            // Nothing is rolled back, so the player must know what was done.
            throw IoError(failure.path(), failure.reason() + " (" +
                                              std::to_string(result.changed.size()) +
                                              " maps before it were already rewritten)");
        }
        if (outcome.referencesChanged > 0) {
            result.changed.push_back({map, outcome.referencesChanged});
        }
        for (const std::string& rowText : outcome.notSwitchedOn) {
            if (std::find(result.notSwitchedOn.begin(), result.notSwitchedOn.end(), rowText) ==
                result.notSwitchedOn.end()) {
                result.notSwitchedOn.push_back(rowText);
            }
        }
        progress.step(dryRun ? "Counting changes" : "Writing maps", k + 1, install.maps.size());
    }
    progress.finish();
    return result;
}

} // namespace quorvell::cli
