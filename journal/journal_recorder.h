#pragma once

// The journal as the session's runs see it: each run that writes maps is
// recorded before its first write and marked ended after its last.

#include "journal/journal.h"
#include "session/runs.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace quorvell::journal {

class JournalRecorder : public session::RunRecorder {
public:
    // frontEnd: "window", "command-line mode", "quorvell-cli". With
    // QUORVELL_NO_JOURNAL=1 it records nothing.
    JournalRecorder(std::filesystem::path mapsFolder, std::string frontEnd);

    // Throws IoError naming the journal's file and the reason it cannot be
    // written; the run then writes no map.
    void started(const session::RunDescription& run,
                 const std::vector<patching::MapPlan>& plans) override;
    // A failure to mark the end is kept (lastFailure), not thrown: the maps
    // are written, and the run reads as cut short.
    void ended(const session::RunDescription& run, const session::BatchResult& done,
               bool complete) override;

    const std::optional<IoError>& lastFailure() const { return lastFailure_; }

private:
    std::filesystem::path mapsFolder_;
    std::string frontEnd_;
    std::unique_ptr<Journal> journal_;
    std::optional<std::uint64_t> running_;
    std::optional<IoError> lastFailure_;
};

} // namespace quorvell::journal
