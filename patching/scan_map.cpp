#include "patching/map_file.h"
#include "patching/map_io.h"
#include "patching/record_walk.h"

#include <algorithm>

namespace quorvell::patching {

std::size_t ScanIndex::Hash::operator()(std::string_view s) const noexcept {
    return std::hash<std::string_view>{}(s);
}

ScanIndex::ScanIndex(const TextureRows& rows) {
    for (std::size_t j = 0; j < rows.size(); ++j) {
        auto base = ansiBaseNameOf(rows[j].text);
        if (!base) {
            continue;
        }
        // emplace keeps an earlier row: the first matching row decides.
        first_.emplace(*base + std::string(kOverriddenSuffix), j);
        first_.emplace(std::move(*base), j);
    }
}

std::optional<std::size_t> ScanIndex::firstMatch(std::string_view reference) const {
    const auto it = first_.find(reference);
    if (it == first_.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::vector<std::size_t> ScanMapFile(const std::filesystem::path& mapPath, const ScanIndex& index,
                                     ReferenceSet& list1, const YieldFn& yield) {
    std::vector<std::size_t> marked;
    MapIo map(mapPath);
    if (map.vanished()) {
        return marked;
    }
    walkRecords(
        map,
        [&](const TextureReference& reference) -> std::optional<std::string> {
            const auto row = index.firstMatch(reference.text);
            if (!row) {
                return std::nullopt;
            }
            // Only a reference new to this map counts, and only when it
            // carries the suffix somewhere (a base name may hold it itself).
            const bool isNew = list1.emplace(reference.text).second;
            if (isNew && reference.text.find(kOverriddenSuffix) != std::string_view::npos &&
                std::find(marked.begin(), marked.end(), *row) == marked.end()) {
                marked.push_back(*row);
            }
            return std::nullopt;
        },
        yield);
    return marked;
}

} // namespace quorvell::patching
