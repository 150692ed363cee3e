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

// The block of the preset named on line nameLine: every line after it up to
// the first "}". Name lines inside it are plain entries, so a block missing
// its "}" swallows the blocks after it (closed is false then).
struct PresetBlock {
    std::vector<std::string_view> entries;
    bool closed = false;
    std::size_t end = 0; // the line of its "}", or the number of lines
};
PresetBlock presetBlockAt(const PresetLines& fileLines, std::size_t nameLine);

// fileLines: the preset file's lines; presetName: the preset name (exact); remove:
// false applies, true removes; rowTexts: texture row texts; marks: their check
// marks now (same size as rowTexts).
PhaseOneResult markPreset(const PresetLines& fileLines, std::string_view presetName, bool remove,
                          const std::vector<std::string>& rowTexts, const std::vector<bool>& marks);

} // namespace quorvell::presets
