#pragma once

#include "presets/preset_lines.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvell::presets {

// Phase 1 of a preset run: what the check marks of List2 become.
enum class PhaseOneStatus {
    Proceed,               // go on with phase 2 using marks
    StoppedBySpecialEntry, // "*" or "xbrick" while removing: stop, touch no map
    UnterminatedBlock,     // a block ran to the end of List5 without "}": error
};

struct PhaseOneResult {
    PhaseOneStatus status = PhaseOneStatus::Proceed;
    // The new check marks when status is Proceed; otherwise exactly the marks
    // handed in, so the list never differs from the maps.
    std::vector<bool> marks;
};

// fileLines: the preset file's lines; presetName: the preset name (exact); remove:
// false applies, true removes; rowTexts: texture row texts; marks: their check
// marks now (same size as rowTexts).
PhaseOneResult markPreset(const PresetLines& fileLines, std::string_view presetName, bool remove,
                          const std::vector<std::string>& rowTexts, const std::vector<bool>& marks);

} // namespace quorvell::presets
