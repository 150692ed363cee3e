#include "session/missing_textures.h"

#include "base/ansi_text.h"
#include "patching/map_io.h"
#include "patching/record_walk.h"

#include <set>

namespace quorvell::session {

std::string missingTextureText(const MissingTexture& texture, std::size_t mapsScanned) {
    return texture.name + " \u2014 file missing, on in " + std::to_string(texture.mapsOn) + " of " +
           std::to_string(mapsScanned) + (mapsScanned == 1 ? " map" : " maps");
}

void MissingTextureScan::readMap(const std::filesystem::path& mapPath,
                                 const patching::YieldFn& yield) {
    patching::MapIo map(mapPath);
    if (map.vanished()) {
        return;
    }
    std::set<std::string> bases; // each counted once per map
    patching::walkRecords(
        map,
        [&](const patching::TextureReference& reference) -> std::optional<std::string> {
            const std::string_view text = reference.text;
            const auto suffix = patching::kOverriddenSuffix;
            if (text.size() > suffix.size() && text.ends_with(suffix) &&
                !index_.match(text, reference.hash)) {
                bases.emplace(text.substr(0, text.size() - suffix.size()));
            }
            return std::nullopt;
        },
        yield);
    for (const std::string& base : bases) {
        ++mapsOn_[base];
    }
}

MapScanned MissingTextureScan::gatherer(const patching::YieldFn& yield) {
    return [this, yield](const std::filesystem::path& map, const std::vector<std::size_t>&,
                         const patching::ReferenceSet&) { readMap(map, yield); };
}

std::vector<MissingTexture> MissingTextureScan::found() const {
    std::vector<MissingTexture> found;
    for (const auto& [base, mapsOn] : mapsOn_) {
        found.push_back({ansi::toUtf8(base) + ".dds", mapsOn});
    }
    return found;
}

patching::TextureRows switchedOffRows(const std::vector<MissingTexture>& missing) {
    patching::TextureRows rows;
    for (const MissingTexture& texture : missing) {
        rows.push_back({texture.name, false});
    }
    return rows;
}

} // namespace quorvell::session
