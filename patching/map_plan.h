#pragma once

// A map's rewrite worked out before any byte is written: every changed name
// as its offset, the bytes it holds and the bytes it gets. Planning only
// reads; applying writes exactly the plan. The batch, the toggle (a batch of
// one row) and the dry run (a plan never applied) share this one path, and a
// journal records a plan before it is applied.

#include "base/io_error.h"
#include "patching/map_file.h"
#include "patching/name_edits.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvell::patching {

// Which file a path named when it was planned: device and inode on POSIX,
// volume serial and file ID on Windows. A map replaced (renamed over) since
// has another identity.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

struct MapPlan {
    std::filesystem::path map;
    std::uint64_t length = 0; // the map's length when planned
    FileIdentity identity;
    NameEdits edits; // in file order, never overlapping
    // As PatchOutcome reports them.
    std::vector<std::string> notSwitchedOn;
    bool vanished = false;
    std::uint64_t hardLinks = 1;
    std::size_t referencesChanged() const { return edits.size(); }
};

// Reads the map and plans what the batch would write. Opens it for reading
// only. Throws IoError.
MapPlan planMap(const std::filesystem::path& mapPath, const BatchIndex& index,
                const YieldFn& yield = {});

struct ApplyOptions {
    // Before writing, read every edit's bytes and refuse the whole map
    // (nothing written, MapChangedSince thrown) unless each byte still holds
    // its `before` or already its `after`: undo and restore write only over
    // what they expect. A byte already at `after` is what a run cut short
    // part-way through the map left (its names are whole either way), so
    // undoing that run finishes over it rather than giving up on the map.
    bool verifyBefore = false;
};

// The map no longer is what the plan was made from: its length or identity
// differs, or (with verifyBefore) its bytes do. Nothing of it was written.
class MapChangedSince : public IoError {
public:
    using IoError::IoError;
};

// Writes a plan so that every moment leaves whole names (a signal or a
// power cut between two writes never tears one), then checks the path still
// names the file written. Throws IoError (MapChangedSince as above).
PatchOutcome applyPlan(const MapPlan& plan, const ApplyOptions& options = {},
                       const YieldFn& yield = {});

// The plan that undoes an applied one: every edit's before and after
// swapped. Applying it (with verifyBefore) puts the bytes back.
MapPlan reversed(MapPlan plan);

} // namespace quorvell::patching
