#pragma once

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

// list5: the preset file's lines; preseT: the preset name (exact); disablE_bit:
// false applies, true removes; list2: texture row texts; marks: their check
// marks now (same size as list2).
PhaseOneResult presetPhaseOne(const std::vector<std::string>& list5, std::string_view preseT,
                              bool disablE_bit, const std::vector<std::string>& list2,
                              const std::vector<bool>& marks);

} // namespace quorvell::presets
