#include "journal/way_back_run.h"

#include "base/path_text.h"

namespace quorvell::journal {

WayBackOutcome runWayBack(Journal& journal, WayBackKind kind, bool dryRun,
                          const std::string& frontEnd, session::RunContext& context) {
    const session::MapsLocker::Hold hold = context.locker.hold();
    journal.reload();
    WayBackOutcome outcome;
    WayBack back;
    std::uint64_t undoes = 0;
    if (kind == WayBackKind::Undo) {
        const RunEntry* run = journal.lastUndoable();
        if (run == nullptr) {
            outcome.nothingToDo = true;
            return outcome;
        }
        outcome.undid = *run;
        outcome.what = "undid " + run->summary.what;
        undoes = run->summary.id;
        back = planUndo(journal.plansOf(*run));
    } else {
        outcome.what = kRestoreWhat;
        if (journal.originals().empty()) {
            outcome.nothingToDo = true;
            return outcome;
        }
        back = planRestore(journal.originals());
    }
    outcome.leftAlone = std::move(back.changedSince);
    if (dryRun) {
        for (const patching::MapPlan& plan : back.plans) {
            outcome.batch.changed.push_back({plan.map, plan.edits.size()});
        }
        return outcome;
    }

    // A run that changes nothing is still recorded, so an undo marks its
    // run taken back (its maps already were, by hand or by another undo).
    const std::uint64_t id = journal.begin(frontEnd, outcome.what, back.plans, undoes);
    session::AppliedPlans applied;
    try {
        applied = session::applyPlans(back.plans, context);
    } catch (const session::RunStopped& stopped) {
        journal.end(id, false, stopped.mapsDone().size(), 0);
        throw;
    }
    std::uint64_t references = 0;
    for (const session::MapChange& change : applied.applied.changed) {
        references += change.references;
    }
    outcome.batch = std::move(applied.applied);
    for (const session::LeftAlone& map : applied.leftAlone) {
        outcome.leftAlone.emplace_back(pathText(map.map), map.reason);
    }
    // Maps left alone are named; the run is done, so the next undo goes on
    // to the run before.
    journal.end(id, true, outcome.batch.changed.size(), references);
    return outcome;
}

void leaveAsTheyAre(Journal& journal, const RunEntry& run) {
    journal.end(run.summary.id, false, mapsReached(journal.plansOf(run)), 0);
}

} // namespace quorvell::journal
