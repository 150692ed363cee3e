#include "cli/journal_commands.h"

#include "cli/command_support.h"
#include "cli/exit_status.h"
#include "journal/journal_location.h"
#include "journal/run_words.h"
#include "journal/way_back.h"
#include "journal/way_back_run.h"

namespace quorvell::cli {

namespace {

constexpr const char* kFrontEnd = "quorvell-cli";

journal::Journal requireJournal(const std::filesystem::path& mapsFolder) {
    if (journal::journalDisabled()) {
        throw Failure(ExitStatus::Failed,
                      "the journal is off (QUORVELL_NO_JOURNAL=1): there is nothing to go back to");
    }
    return journal::Journal::forMapsFolder(mapsFolder);
}

WayBackReport wayBack(const SessionOptions& options, journal::WayBackKind kind, bool dryRun,
                      Console& console) {
    const session::Install install = openAndWarn(options, console);
    journal::Journal journal = requireJournal(install.mapsFolder);
    session::MapsLocker maps = locker(install, console);
    Progress progress(console.err, console.errIsTerminal);
    session::RunContext context{maps, progressHooks(progress, "Writing maps")};
    journal::WayBackOutcome outcome =
        journal::runWayBack(journal, kind, dryRun, kFrontEnd, context);
    WayBackReport report;
    report.command = kind == journal::WayBackKind::Undo ? Command::Undo : Command::Restore;
    report.dryRun = dryRun;
    report.nothingToDo = outcome.nothingToDo;
    report.what = outcome.what;
    report.batch = std::move(outcome.batch);
    report.leftAlone = std::move(outcome.leftAlone);
    return report;
}

} // namespace

std::unique_ptr<journal::Journal> openJournal(const std::filesystem::path& mapsFolder) {
    if (journal::journalDisabled()) {
        return nullptr;
    }
    return std::make_unique<journal::Journal>(journal::Journal::forMapsFolder(mapsFolder));
}

WayBackReport undoCommand(const SessionOptions& options, bool dryRun, Console& console) {
    return wayBack(options, journal::WayBackKind::Undo, dryRun, console);
}

WayBackReport restoreCommand(const SessionOptions& options, bool dryRun, Console& console) {
    return wayBack(options, journal::WayBackKind::Restore, dryRun, console);
}

HistoryReport historyCommand(const SessionOptions& options, Console& console) {
    const session::Install install = openAndWarn(options, console);
    const journal::Journal journal = requireJournal(install.mapsFolder);
    return {journal.file(), journal.runs()};
}

std::optional<std::string> cutShortRun(const std::filesystem::path& mapsFolder) {
    try {
        const auto journal = openJournal(mapsFolder);
        const journal::RunEntry* run = journal ? journal->unfinished() : nullptr;
        if (run == nullptr) {
            return std::nullopt;
        }
        return journal::cutShortText(*run, journal::mapsReached(journal->plansOf(*run)));
    } catch (const IoError& failure) {
        return "the journal cannot be read: " + failure.path() + ": " + failure.reason();
    }
}

} // namespace quorvell::cli
