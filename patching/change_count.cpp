#include "patching/change_count.h"

#include "patching/map_io.h"
#include "patching/record_walk.h"
#include "patching/reference_edit.h"

#include <algorithm>

namespace quorvell::patching {

PatchOutcome countPresetChanges(const std::filesystem::path& mapPath, const BatchIndex& index,
                                const YieldFn& yield) {
    PatchOutcome outcome;
    // No write ever comes, so the map is never opened for writing: a dry run
    // works on maps that are read-only or held by the game.
    MapIo map(mapPath);
    if (map.vanished()) {
        outcome.vanished = true;
        return outcome;
    }
    walkRecords(
        map,
        [&](const TextureReference& reference) -> std::optional<std::string> {
            const auto decision = index.decide(reference.text, reference.hash);
            if (!decision) {
                return std::nullopt;
            }
            // Switching on can be refused (a base name too long for the name
            // field); the same rule that refuses the write refuses the count.
            if (decision->action == BatchIndex::Action::SwitchOn &&
                !switchOnBytes(reference.text, reference.window)) {
                const std::string& rowText = index.rows()[decision->row].text;
                auto& refused = outcome.notSwitchedOn;
                if (std::find(refused.begin(), refused.end(), rowText) == refused.end()) {
                    refused.push_back(rowText);
                }
                return std::nullopt;
            }
            ++outcome.referencesChanged;
            return std::nullopt;
        },
        yield, [&](const TextureReference& reference) { index.prefetch(reference.hash); });
    return outcome;
}

} // namespace quorvell::patching
