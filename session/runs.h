#pragma once

// The runs that write maps, or count what they would write (dry runs): a
// preset run (preset -> check marks -> batch), a toggle (one texture to a
// state), and textures named on a command line switched on or off.
//
// Seams, one call site each:
// - reading the marks again immediately before a preset run writes, under
//   the same hold of the maps lock: PresetRequest::currentMarks.
// - a journal: RunRecorder, told of a run before its first map write and of
//   its end after its last (or when it stopped).

#include "patching/map_file.h"
#include "patching/map_plan.h"
#include "presets/preset_file.h"
#include "session/map_loop.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quorvell::session {

struct MapChange {
    std::filesystem::path map;
    std::size_t references = 0;
};

struct BatchResult {
    std::vector<MapChange> changed;         // the maps that changed (or would), in list order
    std::vector<std::string> notSwitchedOn; // row texts too long to switch on, each once
    // "<map>: has N hard links: ..." for maps written (or that would be)
    // that other names share.
    std::vector<std::string> warnings;
};

// A run that failed at a map after rewriting maps before it: nothing is
// rolled back, so the front end says how many.
class RunFailed : public IoError {
public:
    RunFailed(const IoError& failure, std::size_t mapsWritten)
        : IoError(failure), mapsWritten_(mapsWritten) {}
    std::size_t mapsWritten() const { return mapsWritten_; }

private:
    std::size_t mapsWritten_;
};

// What a run is, as a journal records it.
struct RunDescription {
    std::string what; // "applied walls", "switched off Wall_brick01.dds"
    const std::vector<std::filesystem::path>& maps;
    // The decisions the run writes by (a toggle's one row included); the
    // engine's planning of each map starts from these.
    const patching::BatchIndex* batch = nullptr;
};

class RunRecorder {
public:
    virtual ~RunRecorder() = default;
    // Before the first map write, with every map's plan (dry runs never call it). Throwing stops
    // the run with no map written.
    virtual void started(const RunDescription& run,
                         const std::vector<patching::MapPlan>& plans) = 0;
    // After the last write, or as the run ends early: done holds what was written; complete whether
    // every map was.
    virtual void ended(const RunDescription& run, const BatchResult& done, bool complete) = 0;
};

// The batch over every map: every map planned first (a map that cannot be
// read stops the run before any is written), the recorder told, then the
// plans applied, the progress stepping per map applied. With dryRun only
// planned, and counted, the progress stepping per map planned. Throws IoError (RunFailed once a
// map was written) and RunStopped.
BatchResult runBatch(const std::vector<std::filesystem::path>& maps,
                     const patching::BatchIndex& index, bool dryRun, RunContext& context,
                     const std::string& what);

// One texture brought to a state in every map (the window's check box).
BatchResult switchTexture(const std::vector<std::filesystem::path>& maps,
                          const std::string& rowText, bool on, RunContext& context);

// Plans made elsewhere (an undo, a restore) applied under the lock: each map
// is read first and written only when it still holds every edit's `before`
// bytes; a map that changed since (or cannot be written) is left alone and
// named, and the rest applied.
struct LeftAlone {
    std::filesystem::path map;
    std::string reason;
};
struct AppliedPlans {
    BatchResult applied;
    std::vector<LeftAlone> leftAlone;
};
// Throws RunStopped.
AppliedPlans applyPlans(const std::vector<patching::MapPlan>& plans, RunContext& context);

// The rows named by `names` (every row of each name), each set to `on`;
// the other textures get no row, so their references stay as they are.
struct NamedRows {
    patching::TextureRows rows;
    std::vector<std::string> unknown; // names no row has, each once
};
NamedRows namedRows(const patching::TextureRows& rows, const std::vector<std::string>& names,
                    bool on);

struct PresetRequest {
    const presets::PresetLines& lines; // the preset file's lines
    std::filesystem::path file;        // where they were read from, for errors
    std::string preset;                // its exact name
    bool remove = false;               // the minus: the preset's textures go off
    bool dryRun = false;
    const std::vector<std::string>& rowTexts;
    const std::vector<std::filesystem::path>& maps;
    // The check marks the run starts from, asked for under the lock hold
    // its writes share.
    std::function<std::vector<bool>()> currentMarks;
    // The new marks, before any map is written (the window shows them).
    std::function<void(const std::vector<bool>&)> marked = {};
};

struct PresetOutcome {
    // Removing a preset that holds "*" or "xbrick" stops before any map.
    bool stoppedBySpecialEntry = false;
    std::vector<bool> marks;
    BatchResult batch;
};

// Throws IoError naming the file for a block without its "}".
PresetOutcome runPreset(const PresetRequest& request, RunContext& context);

} // namespace quorvell::session
