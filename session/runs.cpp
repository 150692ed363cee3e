#include "session/runs.h"

#include "base/path_text.h"
#include "presets/preset_marks.h"
#include "session/messages.h"

#include <algorithm>
#include <optional>

namespace quorvell::session {

namespace {

// The loop every writing run shares: the recorder told before the first
// write and after the last, a failure after maps were written told as such.
BatchResult
writeMaps(const std::vector<std::filesystem::path>& maps, RunContext& context,
          const RunDescription& run, bool dryRun,
          const std::function<patching::PatchOutcome(const std::filesystem::path&)>& patch) {
    BatchResult result;
    DistinctNames notSwitchedOn;
    const MapsLocker::Hold hold = context.locker.hold();
    RunRecorder* recorder = dryRun ? nullptr : context.recorder;
    if (recorder != nullptr) {
        std::vector<patching::MapPlan> plans;
        if (run.batch != nullptr) {
            for (const auto& map : maps) {
                try {
                    plans.push_back(patching::planMap(map, *run.batch));
                } catch (const IoError&) {
                    // The write fails on it in turn, and says why.
                }
            }
        }
        recorder->started(run, plans);
    }
    std::size_t written = 0;
    try {
        forEachMap(maps, context, [&](std::size_t, const std::filesystem::path& map) {
            const patching::PatchOutcome outcome = patch(map);
            ++written;
            if (outcome.referencesChanged > 0) {
                result.changed.push_back({map, outcome.referencesChanged});
            }
            notSwitchedOn.add(outcome.notSwitchedOn);
        });
    } catch (const IoError& failure) {
        result.notSwitchedOn = notSwitchedOn.take();
        if (recorder != nullptr) {
            recorder->ended(run, result, false);
        }
        if (dryRun || result.changed.empty()) {
            throw;
        }
        throw RunFailed(failure, result.changed.size());
    } catch (...) {
        result.notSwitchedOn = notSwitchedOn.take();
        if (recorder != nullptr) {
            recorder->ended(run, result, false);
        }
        throw;
    }
    result.notSwitchedOn = notSwitchedOn.take();
    if (recorder != nullptr) {
        recorder->ended(run, result, true);
    }
    return result;
}

} // namespace

BatchResult runBatch(const std::vector<std::filesystem::path>& maps,
                     const patching::BatchIndex& index, bool dryRun, RunContext& context,
                     const std::string& what) {
    const RunDescription run{what, maps, &index};
    const patching::YieldFn& yield = context.loop.withinMap;
    return writeMaps(maps, context, run, dryRun, [&](const std::filesystem::path& map) {
        return dryRun ? patching::countPresetChanges(map, index, yield)
                      : patching::patchPresetInMap(map, index, yield);
    });
}

BatchResult switchTexture(const std::vector<std::filesystem::path>& maps,
                          const std::string& rowText, bool on, RunContext& context) {
    const patching::ToggleTarget target(rowText, on);
    std::optional<patching::BatchIndex> oneRow;
    if (context.recorder != nullptr) {
        oneRow.emplace(patching::TextureRows{{rowText, on}});
    }
    const RunDescription run{(on ? "switched on " : "switched off ") + rowText, maps,
                             oneRow ? &*oneRow : nullptr};
    const patching::YieldFn& yield = context.loop.withinMap;
    return writeMaps(maps, context, run, false, [&](const std::filesystem::path& map) {
        return patching::switchTextureInMap(map, target, yield);
    });
}

NamedRows namedRows(const patching::TextureRows& rows, const std::vector<std::string>& names,
                    bool on) {
    NamedRows named;
    for (const std::string& name : names) {
        bool found = false;
        for (const auto& row : rows) {
            if (row.text == name) {
                named.rows.push_back({row.text, on});
                found = true;
            }
        }
        if (!found &&
            std::find(named.unknown.begin(), named.unknown.end(), name) == named.unknown.end()) {
            named.unknown.push_back(name);
        }
    }
    return named;
}

PresetOutcome runPreset(const PresetRequest& request, RunContext& context) {
    // One hold from reading the marks to the last write: another process
    // cannot change the maps in between.
    const MapsLocker::Hold hold = context.locker.hold();
    const std::vector<bool> marks = request.currentMarks();
    const presets::PhaseOneResult marked =
        presets::markPreset(request.lines, request.preset, request.remove, request.rowTexts, marks);
    PresetOutcome outcome;
    switch (marked.status) {
    case presets::PhaseOneStatus::StoppedBySpecialEntry:
        outcome.stoppedBySpecialEntry = true;
        outcome.marks = marks;
        return outcome;
    case presets::PhaseOneStatus::UnterminatedBlock:
        throw IoError(pathText(request.file), unclosedBlockReason(request.preset));
    case presets::PhaseOneStatus::Proceed:
        break;
    }
    outcome.marks = marked.marks;
    if (request.marked) {
        request.marked(outcome.marks);
    }
    patching::TextureRows rows;
    rows.reserve(request.rowTexts.size());
    for (std::size_t row = 0; row < request.rowTexts.size(); ++row) {
        rows.push_back({request.rowTexts[row], outcome.marks[row]});
    }
    outcome.batch = runBatch(request.maps, patching::BatchIndex(rows), request.dryRun, context,
                             (request.remove ? "removed " : "applied ") + request.preset);
    return outcome;
}

} // namespace quorvell::session
