#include "patching/map_file.h"
#include "patching/map_plan.h"

#include <string>

namespace quorvell::patching {

ToggleTarget::ToggleTarget(std::string_view rowText, bool switchOn)
    : rowText_(rowText), base_(ansiBaseNameOf(rowText)), switchOn_(switchOn) {}

PatchOutcome switchTextureInMap(const std::filesystem::path& mapPath, const ToggleTarget& target,
                                const YieldFn& yield) {
    return patchPresetInMap(mapPath, BatchIndex({{target.rowText(), target.switchOn()}}), yield);
}

BatchIndex::BatchIndex(const TextureRows& rows) : rows_(rows) {
    // For each reference, the first matching row whose check mark disagrees
    // with it: a checked row disagrees with its plain reference, an unchecked
    // row with its overridden one. The earliest such row stays.
    for (std::size_t j = 0; j < rows_.size(); ++j) {
        auto base = ansiBaseNameOf(rows_[j].text);
        if (!base) {
            continue;
        }
        if (rows_[j].checked) {
            decisions_.addFirst(*base, Decision{Action::SwitchOn, j});
        } else {
            decisions_.addFirst(*base + std::string(kOverriddenSuffix),
                                Decision{Action::SwitchOff, j});
        }
    }
}

std::optional<BatchIndex::Decision> BatchIndex::decide(std::string_view reference,
                                                       std::uint64_t hash) const {
    const std::size_t at = decisions_.positionOf(reference, hash);
    return at == decisions_.npos ? std::nullopt : std::optional<Decision>(decisions_.valueAt(at));
}

PatchOutcome patchPresetInMap(const std::filesystem::path& mapPath, const BatchIndex& index,
                              const YieldFn& yield) {
    return applyPlan(planMap(mapPath, index, yield), {}, yield);
}

PatchOutcome countPresetChanges(const std::filesystem::path& mapPath, const BatchIndex& index,
                                const YieldFn& yield) {
    const MapPlan plan = planMap(mapPath, index, yield);
    return PatchOutcome{plan.referencesChanged(), plan.notSwitchedOn, plan.vanished,
                        plan.hardLinks};
}

std::string hardLinksWarning(std::uint64_t hardLinks) {
    if (hardLinks <= 1) {
        return {};
    }
    return "has " + std::to_string(hardLinks) +
           " hard links: a copy made with cp -al would be changed too";
}

} // namespace quorvell::patching
