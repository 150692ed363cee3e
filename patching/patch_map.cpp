#include "patching/map_file.h"
#include "patching/map_io.h"
#include "patching/record_walk.h"
#include "patching/reference_edit.h"

#include <vector>

namespace quorvell::patching {

namespace {

// The rows named in an outcome's notSwitchedOn, each once, in the order met;
// a flag per row rather than a search of the list per reference.
class NotSwitchedOn {
public:
    void note(PatchOutcome& outcome, const TextureRows& rows, std::size_t row) {
        if (noted_.empty()) {
            noted_.resize(rows.size(), false);
        }
        if (!noted_[row]) {
            noted_[row] = true;
            outcome.notSwitchedOn.push_back(rows[row].text);
        }
    }

private:
    std::vector<bool> noted_; // sized when the first texture is noted
};

// Runs a walk whose decisions come from decide(reference, outcome).
template <typename Decide, typename LookAhead>
PatchOutcome patchMap(const std::filesystem::path& mapPath, const YieldFn& yield, Decide decide,
                      LookAhead lookAhead) {
    PatchOutcome outcome;
    MapIo map(mapPath);
    if (map.vanished()) {
        outcome.vanished = true;
        return outcome;
    }
    try {
        const auto summary = walkRecords(
            map, [&](const TextureReference& reference) { return decide(reference, outcome); },
            yield, lookAhead);
        outcome.referencesChanged = summary.rewrites;
    } catch (const MapVanished&) {
        // Removed before anything was written: skipped like a map gone at
        // the opening, never created again.
        return PatchOutcome{0, {}, true};
    }
    map.close();
    return outcome;
}

std::string_view withoutSuffix(std::string_view overridden) {
    return overridden.substr(0, overridden.size() - kOverriddenSuffix.size());
}

} // namespace

ToggleTarget::ToggleTarget(std::string_view rowText, bool switchOn)
    : rowText_(rowText), base_(ansiBaseNameOf(rowText)), switchOn_(switchOn) {}

PatchOutcome switchTextureInMap(const std::filesystem::path& mapPath, const ToggleTarget& target,
                                const YieldFn& yield) {
    const auto& base = target.base();
    const std::string overridden = base ? *base + std::string(kOverriddenSuffix) : std::string();
    bool noted = false;
    return patchMap(
        mapPath, yield,
        [&](const TextureReference& reference, PatchOutcome& outcome) -> std::optional<NameBytes> {
            if (!base) {
                return std::nullopt;
            }
            if (target.switchOn() && reference.text == *base) {
                auto bytes = switchOnBytes(*base, reference.window);
                if (!bytes && !noted) {
                    noted = true;
                    outcome.notSwitchedOn.push_back(target.rowText());
                }
                return bytes;
            }
            if (!target.switchOn() && reference.text == overridden) {
                return switchOffBytes(*base);
            }
            return std::nullopt;
        },
        nullptr);
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

namespace {

// What the batch writes over one reference, if anything; a texture whose
// name is too long to switch on is noted instead.
std::optional<NameBytes> presetRewrite(const BatchIndex& index, const TextureReference& reference,
                                       PatchOutcome& outcome, NotSwitchedOn& notSwitchedOn) {
    const auto decision = index.decide(reference.text, reference.hash);
    if (!decision) {
        return std::nullopt;
    }
    if (decision->action == BatchIndex::Action::SwitchOff) {
        return switchOffBytes(withoutSuffix(reference.text));
    }
    auto bytes = switchOnBytes(reference.text, reference.window);
    if (!bytes) {
        notSwitchedOn.note(outcome, index.rows(), decision->row);
    }
    return bytes;
}

} // namespace

PatchOutcome patchPresetInMap(const std::filesystem::path& mapPath, const BatchIndex& index,
                              const YieldFn& yield) {
    NotSwitchedOn notSwitchedOn;
    return patchMap(
        mapPath, yield,
        [&](const TextureReference& reference, PatchOutcome& outcome) {
            return presetRewrite(index, reference, outcome, notSwitchedOn);
        },
        [&](const TextureReference& reference) { index.prefetch(reference.hash); });
}

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
    NotSwitchedOn notSwitchedOn;
    walkRecords(
        map,
        [&](const TextureReference& reference) -> std::optional<NameBytes> {
            if (presetRewrite(index, reference, outcome, notSwitchedOn)) {
                ++outcome.referencesChanged;
            }
            return std::nullopt;
        },
        yield, [&](const TextureReference& reference) { index.prefetch(reference.hash); });
    return outcome;
}

} // namespace quorvell::patching
