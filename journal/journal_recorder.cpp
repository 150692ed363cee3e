#include "journal/journal_recorder.h"

#include "journal/journal_location.h"

#include <algorithm>

namespace quorvell::journal {

JournalRecorder::JournalRecorder(std::filesystem::path mapsFolder, std::string frontEnd)
    : mapsFolder_(std::move(mapsFolder)), frontEnd_(std::move(frontEnd)) {}

void JournalRecorder::started(const session::RunDescription& run,
                              const std::vector<patching::MapPlan>& plans) {
    running_.reset();
    lastFailure_.reset();
    // A run that changes nothing leaves nothing to undo: not recorded, so
    // repeating a run adds nothing to the journal either.
    const bool writes = std::any_of(plans.begin(), plans.end(), [](const patching::MapPlan& plan) {
        return !plan.edits.empty();
    });
    if (journalDisabled() || !writes) {
        return;
    }
    try {
        if (!journal_) {
            journal_ = std::make_unique<Journal>(Journal::forMapsFolder(mapsFolder_));
        }
        running_ = journal_->begin(frontEnd_, run.what, plans);
    } catch (const IoError& failure) {
        journal_.reset();
        throw IoError(failure.path(), "the journal cannot be written, so no map was changed (" +
                                          failure.reason() + ")");
    }
}

void JournalRecorder::ended(const session::RunDescription&, const session::BatchResult& done,
                            bool complete) {
    if (!running_ || !journal_) {
        return;
    }
    std::uint64_t references = 0;
    for (const session::MapChange& change : done.changed) {
        references += change.references;
    }
    try {
        journal_->end(*running_, complete, done.changed.size(), references);
    } catch (const IoError& failure) {
        lastFailure_ = failure;
    }
    running_.reset();
}

} // namespace quorvell::journal
