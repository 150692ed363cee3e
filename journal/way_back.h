#pragma once

// Undo and restore worked out as map plans: the bytes a run wrote swapped
// for the bytes it found, or every name Quorvell ever changed put back as it
// first found it. Planning reads the maps; a map that changed since (another
// program, a game update: its length differs, or a name holds bytes that
// neither Quorvell wrote nor found) is left out and named. The plans are
// applied with verifyBefore, so a map changed between planning and writing
// is left alone too.

#include "base/io_error.h"
#include "journal/record_codec.h"
#include "patching/map_plan.h"

#include <cstdint>
#include <vector>

namespace quorvell::journal {

struct WayBack {
    std::vector<patching::MapPlan> plans; // only maps with something to write
    std::vector<IoError> changedSince;    // maps left alone, each with the reason
    std::uint64_t references() const;
};

// Takes back the run that planned `runPlans`: a name that still holds what
// the run wrote gets back what it held; one that holds what it held (a map
// the run never reached) needs nothing.
WayBack planUndo(const std::vector<patching::MapPlan>& runPlans);

// Puts every name back as first found.
WayBack planRestore(const Originals& originals);

// The maps of an unfinished run that hold some of what it wrote: how far it
// got before it was cut short.
std::size_t mapsReached(const std::vector<patching::MapPlan>& runPlans);

} // namespace quorvell::journal
