#pragma once

// What undo, restore and history found or did.

#include "base/io_error.h"
#include "cli/arguments.h"
#include "journal/journal.h"
#include "session/runs.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvell::cli {

struct WayBackReport {
    Command command = Command::Undo;
    bool dryRun = false;
    bool nothingToDo = false;
    std::string what; // "undid applied walls"
    session::BatchResult batch;
    std::vector<IoError> leftAlone; // maps changed since, each with the reason
    std::uint64_t references() const {
        std::uint64_t sum = 0;
        for (const auto& change : batch.changed) {
            sum += change.references;
        }
        return sum;
    }
};

struct HistoryReport {
    std::filesystem::path journal;
    std::vector<journal::RunEntry> runs; // oldest first
};

} // namespace quorvell::cli
