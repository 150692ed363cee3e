#pragma once

// Missing textures: references that carry "__overridden" while their base
// name matches no custom texture. The player removed the file (a pack taken
// out) and the maps still tell the game to load it. They are found during
// the scan and can only be switched off; they are no rows of the texture
// list, so presets and the batch leave them alone.

#include "patching/map_file.h"
#include "session/scan.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::session {

struct MissingTexture {
    std::string name;       // "Wall_brick01.dds": the base name (UTF-8) and ".dds"
    std::size_t mapsOn = 0; // maps holding its overridden reference
};

// "Wall_brick01.dds — file missing, on in 3 of 3 maps"
std::string missingTextureText(const MissingTexture& texture, std::size_t mapsScanned);

// Gathered by scanMaps while it reads each map (scan.h), in the same pass.
class MissingTextureScan {
public:
    void startMap() { current_.clear(); }
    // A reference of the map being read that ends in "__overridden" and
    // matches no custom texture.
    void note(std::string_view reference);
    // Each base name counts once per map however often the map names it.
    void mapDone();
    // Sorted by name.
    std::vector<MissingTexture> found() const;

private:
    std::set<std::string> current_;             // the map being read
    std::map<std::string, std::size_t> mapsOn_; // by ANSI base name
};

// Rows that switch each of them off and nothing else, for runBatch.
patching::TextureRows switchedOffRows(const std::vector<MissingTexture>& missing);

} // namespace quorvell::session
