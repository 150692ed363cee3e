#include "session/missing_textures.h"

#include "base/ansi_text.h"

namespace quorvell::session {

std::string missingTextureText(const MissingTexture& texture, std::size_t mapsScanned) {
    return texture.name + " \u2014 file missing, on in " + std::to_string(texture.mapsOn) + " of " +
           std::to_string(mapsScanned) + (mapsScanned == 1 ? " map" : " maps");
}

void MissingTextureScan::note(std::string_view reference) {
    current_.emplace(reference.substr(0, reference.size() - patching::kOverriddenSuffix.size()));
}

void MissingTextureScan::mapDone() {
    for (const std::string& base : current_) {
        ++mapsOn_[base];
    }
    current_.clear();
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
