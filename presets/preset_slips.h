#pragma once

// Lines of Presets.ini that are almost certainly slips. Noting them changes
// nothing in how the file is read.

#include "presets/preset_lines.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorvell::presets {

struct PresetSlip {
    std::size_t line = 0; // from 1
    std::string text;     // the line, UTF-8
    std::string reason;
};

// rowTexts: the custom textures, to find entries that name none; null
// leaves that check out (no game to compare with).
std::vector<PresetSlip> findPresetSlips(const PresetLines& lines,
                                        const std::vector<std::string>* rowTexts);

// "line 4 "walls{": a "}" is probably missing before it", one slip a line.
std::string describeSlips(const std::vector<PresetSlip>& slips);

} // namespace quorvell::presets
