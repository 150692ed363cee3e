#include "patching/map_file.h"
#include "patching/map_io.h"
#include "patching/record_walk.h"

namespace quorvell::patching {

ScanIndex::ScanIndex(const TextureRows& rows) : rowCount_(rows.size()) {
    const auto carries = [](std::string_view text) {
        return text.find(kOverriddenSuffix) != std::string_view::npos;
    };
    for (std::size_t j = 0; j < rows.size(); ++j) {
        auto base = ansiBaseNameOf(rows[j].text);
        if (!base) {
            continue;
        }
        // An earlier row stays: the first matching row decides.
        first_.addFirst(*base, Key{j, carries(*base)});
        first_.addFirst(*base + std::string(kOverriddenSuffix), Key{j, true});
    }
}

std::optional<std::size_t> ScanIndex::firstMatch(std::string_view reference) const {
    const Key* key = first_.find(reference);
    return key ? std::optional<std::size_t>(key->row) : std::nullopt;
}

std::optional<ScanIndex::Match> ScanIndex::match(std::string_view reference,
                                                 std::uint64_t hash) const {
    const std::size_t at = first_.positionOf(reference, hash);
    if (at == first_.npos) {
        return std::nullopt;
    }
    const Key& key = first_.valueAt(at);
    return Match{key.row, at, key.carriesSuffix};
}

std::vector<std::size_t> scanMap(const std::filesystem::path& mapPath, const ScanIndex& index,
                                 ReferenceSet& list1, const YieldFn& yield,
                                 const UnmatchedOverride& unmatched) {
    std::vector<std::size_t> marked;
    MapIo map(mapPath);
    if (map.vanished()) {
        return marked;
    }
    // After the first reference to a texture list1 holds it, so later ones
    // are answered here. Starting from an empty list1 (every scan of all
    // maps does), a reference not met before is new to list1 as well.
    std::vector<bool> met(index.keyCount(), false);
    std::vector<bool> rowMarked(index.rowCount(), false);
    const bool list1WasEmpty = list1.empty();
    walkRecords(
        map,
        [&](const TextureReference& reference) -> std::optional<std::string> {
            const auto match = index.match(reference.text, reference.hash);
            if (!match) {
                // Found in the same pass, so missing textures cost no second
                // read of the map.
                if (unmatched && reference.text.size() > kOverriddenSuffix.size() &&
                    reference.text.ends_with(kOverriddenSuffix)) {
                    unmatched(reference.text);
                }
                return std::nullopt;
            }
            if (met[match->key]) {
                return std::nullopt;
            }
            met[match->key] = true;
            // Only a reference new to list1 counts, and only when it carries
            // the suffix somewhere (a base name may hold it itself).
            bool isNew = true;
            if (list1WasEmpty) {
                list1.appendNew(reference.text);
            } else {
                isNew = list1.insert(reference.text);
            }
            if (isNew && match->carriesSuffix && !rowMarked[match->row]) {
                rowMarked[match->row] = true;
                marked.push_back(match->row);
            }
            return std::nullopt;
        },
        yield, [&](const TextureReference& reference) { index.prefetch(reference.hash); });
    return marked;
}

} // namespace quorvell::patching
