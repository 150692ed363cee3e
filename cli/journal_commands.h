#pragma once

// The journal's commands, and the journal every writing command records in.

#include "cli/commands.h"
#include "cli/journal_reports.h"
#include "journal/journal.h"

#include <memory>
#include <optional>
#include <string>

namespace quorvell::cli {

WayBackReport undoCommand(const SessionOptions& options, bool dryRun, Console& console);
WayBackReport restoreCommand(const SessionOptions& options, bool dryRun, Console& console);
HistoryReport historyCommand(const SessionOptions& options, Console& console);

// The journal of a maps folder; null when QUORVELL_NO_JOURNAL=1.
std::unique_ptr<journal::Journal> openJournal(const std::filesystem::path& mapsFolder);

// "The last run (applying walls) stopped after 12 of 205 maps" when the
// journal's last run has no end; nullopt otherwise.
std::optional<std::string> cutShortRun(const std::filesystem::path& mapsFolder);

} // namespace quorvell::cli
