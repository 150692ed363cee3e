#pragma once

// Undo and restore as runs: under the maps lock, the journal read again, the
// maps planned, the run recorded (an undo names the run it takes back), then
// its plans applied map by map with verifyBefore. A map that changed since
// is left alone and named; the rest is written.

#include "journal/journal.h"
#include "journal/way_back.h"
#include "session/map_loop.h"
#include "session/runs.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvell::journal {

enum class WayBackKind { Undo, Restore };

struct WayBackOutcome {
    // Undo: no run left to undo. Restore: the journal knows no name.
    bool nothingToDo = false;
    std::string what;              // "undid applied walls", "restored the maps as first found"
    std::optional<RunEntry> undid; // the run an undo takes back
    session::BatchResult batch;    // the maps written (or, dry, that would be)
    std::vector<IoError> leftAlone;
};

inline constexpr const char* kRestoreWhat = "restored the maps as first found";

// With dryRun, plans and reports without writing or recording. A map that
// cannot be written is left alone and named too. Throws IoError naming the
// journal when it cannot be written (no map written), and
// session::RunStopped (the run's record ends cut short).
WayBackOutcome runWayBack(Journal& journal, WayBackKind kind, bool dryRun,
                          const std::string& frontEnd, session::RunContext& context);

// Marks an unfinished run as cut short, leaving its maps as they are, so it
// is not reported again.
void leaveAsTheyAre(Journal& journal, const RunEntry& run);

} // namespace quorvell::journal
