#include "session/runs.h"

#include "base/path_text.h"
#include "presets/preset_marks.h"
#include "session/messages.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <optional>

namespace quorvell::session {

namespace {

// Planning reads the maps without the window's per-map progress: the bar
// steps once per map written, as it always has.
RunContext withoutProgress(const RunContext& context) {
    RunContext part = context;
    part.loop.afterMap = nullptr;
    return part;
}

void addOutcome(BatchResult& result, DistinctNames& notSwitchedOn, const std::filesystem::path& map,
                const patching::PatchOutcome& outcome) {
    if (outcome.referencesChanged > 0) {
        result.changed.push_back({map, outcome.referencesChanged});
        const std::string warning = patching::hardLinksWarning(outcome.hardLinks);
        if (!warning.empty()) {
            result.warnings.push_back(pathText(map) + ": " + warning);
        }
    }
    notSwitchedOn.add(outcome.notSwitchedOn);
}

std::vector<patching::MapPlan> planMaps(const std::vector<std::filesystem::path>& maps,
                                        const patching::BatchIndex& index, RunContext& context) {
    std::vector<patching::MapPlan> plans;
    plans.reserve(maps.size());
    try {
        forEachMap(maps, context, [&](std::size_t, const std::filesystem::path& map) {
            plans.push_back(patching::planMap(map, index, context.loop.withinMap));
        });
    } catch (const RunStopped& stopped) {
        throw RunStopped({}, stopped.total()); // planned only: none written
    }
    return plans;
}

// A journal's record of a run over every map takes tens of milliseconds to
// encode and reach the disk: a front end with an event loop keeps it turning
// meanwhile, the record made on a thread of its own.
void tellStarted(RunRecorder& recorder, const RunDescription& run,
                 const std::vector<patching::MapPlan>& plans, const patching::YieldFn& yield) {
    if (!yield) {
        recorder.started(run, plans);
        return;
    }
    auto recorded = std::async(std::launch::async, [&] { recorder.started(run, plans); });
    while (recorded.wait_for(std::chrono::milliseconds(4)) != std::future_status::ready) {
        yield();
    }
    recorded.get();
}

// The recorder told before the first write and after the last, a failure
// after maps were written told as such.
BatchResult applyAll(const std::vector<patching::MapPlan>& plans, RunContext& context,
                     const RunDescription& run) {
    BatchResult result;
    DistinctNames notSwitchedOn;
    RunRecorder* recorder = context.recorder;
    if (recorder != nullptr) {
        tellStarted(*recorder, run, plans, context.loop.withinMap);
    }
    const auto ended = [&](bool complete) {
        result.notSwitchedOn = notSwitchedOn.take();
        if (recorder != nullptr) {
            recorder->ended(run, result, complete);
        }
    };
    try {
        forEachMap(run.maps, context, [&](std::size_t i, const std::filesystem::path& map) {
            addOutcome(result, notSwitchedOn, map,
                       patching::applyPlan(plans[i], {}, context.loop.withinMap));
        });
    } catch (const IoError& failure) {
        ended(false);
        if (result.changed.empty()) {
            throw;
        }
        throw RunFailed(failure, result.changed.size());
    } catch (...) {
        ended(false);
        throw;
    }
    ended(true);
    return result;
}

} // namespace

BatchResult runBatch(const std::vector<std::filesystem::path>& maps,
                     const patching::BatchIndex& index, bool dryRun, RunContext& context,
                     const std::string& what) {
    const RunDescription run{what, maps, &index};
    // One hold from the first plan to the last write.
    const MapsLocker::Hold hold = context.locker.hold();
    RunContext planning = dryRun ? context : withoutProgress(context);
    const std::vector<patching::MapPlan> plans = planMaps(maps, index, planning);
    if (dryRun) {
        BatchResult result;
        DistinctNames notSwitchedOn;
        for (const auto& plan : plans) {
            addOutcome(
                result, notSwitchedOn, plan.map,
                {plan.referencesChanged(), plan.notSwitchedOn, plan.vanished, plan.hardLinks});
        }
        result.notSwitchedOn = notSwitchedOn.take();
        return result;
    }
    // A stop asked for while planning: before any write.
    if (context.loop.stopRequested && context.loop.stopRequested()) {
        throw RunStopped({}, maps.size());
    }
    return applyAll(plans, context, run);
}

BatchResult switchTexture(const std::vector<std::filesystem::path>& maps,
                          const std::string& rowText, bool on, RunContext& context) {
    return runBatch(maps, patching::BatchIndex({{rowText, on}}), false, context,
                    (on ? "switched on " : "switched off ") + rowText);
}

AppliedPlans applyPlans(const std::vector<patching::MapPlan>& plans, RunContext& context) {
    AppliedPlans done;
    DistinctNames notSwitchedOn;
    std::vector<std::filesystem::path> maps;
    maps.reserve(plans.size());
    for (const auto& plan : plans) {
        maps.push_back(plan.map);
    }
    forEachMap(maps, context, [&](std::size_t i, const std::filesystem::path& map) {
        try {
            const patching::PatchOutcome outcome =
                patching::applyPlan(plans[i], {.verifyBefore = true}, context.loop.withinMap);
            if (outcome.vanished) {
                done.leftAlone.push_back({map, "the map is gone"});
                return;
            }
            addOutcome(done.applied, notSwitchedOn, map, outcome);
        } catch (const IoError& failure) {
            done.leftAlone.push_back({map, failure.reason()});
        }
    });
    done.applied.notSwitchedOn = notSwitchedOn.take();
    return done;
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
