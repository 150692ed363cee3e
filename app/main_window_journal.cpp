// The window's way back: Ctrl+Z undoes the last run (again for the one
// before), the list's menu names it and offers to restore the maps as first
// found, a run cut short is found at start-up, and a run that failed part-way
// offers to undo what it did.

#include "app/event_yield.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "base/path_text.h"
#include "journal/journal_location.h"
#include "journal/run_words.h"
#include "journal/way_back.h"

#include <QtGui/QShortcut>
#include <QtWidgets/QMenu>

namespace quorvell::app {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString leftAloneText(const std::vector<IoError>& leftAlone) {
    QString out;
    if (!leftAlone.empty()) {
        out = QStringLiteral("\n\nThese maps changed since and were left alone:");
        for (const IoError& map : leftAlone) {
            out += QStringLiteral("\n%1 (%2)").arg(text(map.path()), text(map.reason()));
        }
    }
    return out;
}

} // namespace

std::filesystem::path Form1::mapsFolder() const {
    return List3.count() == 0 ? std::filesystem::path() : List3.path(0).parent_path();
}

session::RunRecorder* Form1::runRecorder() {
    const std::filesystem::path folder = mapsFolder();
    if (folder.empty()) {
        return nullptr;
    }
    if (!recorder_ || recorderFolder_ != folder) {
        recorder_ = std::make_unique<journal::JournalRecorder>(
            folder, commandLineMode() ? "command-line mode" : "window");
        recorderFolder_ = folder;
    }
    return recorder_.get();
}

std::optional<journal::Journal> Form1::openJournal() const {
    if (mapsFolder().empty() || journal::journalDisabled()) {
        return std::nullopt;
    }
    return journal::Journal::forMapsFolder(mapsFolder());
}

std::string Form1::undoableRun() const {
    try {
        const auto journal = openJournal();
        const journal::RunEntry* run = journal ? journal->lastUndoable() : nullptr;
        return run != nullptr ? run->summary.what : std::string();
    } catch (const IoError&) {
        return {};
    }
}

void Form1::addWayBackControls() {
    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, &Form1::undoLastRun);
    listMenu_->addSection([this](QMenu& menu, int) {
        const std::string last = undoableRun();
        QAction* undoAction = menu.addAction(last.empty() ? QStringLiteral("Undo")
                                                          : QStringLiteral("Undo: ") + text(last));
        undoAction->setShortcut(QKeySequence::Undo);
        undoAction->setEnabled(!last.empty() && !working());
        connect(undoAction, &QAction::triggered, this, &Form1::undoLastRun);
        QAction* restore = menu.addAction(QStringLiteral("Restore the maps as first found…"));
        restore->setEnabled(!mapsFolder().empty() && !working());
        connect(restore, &QAction::triggered, this, &Form1::restoreFirstFound);
    });
}

journal::WayBackOutcome Form1::wayBack(journal::WayBackKind kind, bool dryRun) {
    journal::WayBackOutcome outcome;
    runOperation(
        [&] {
            std::optional<journal::Journal> journal = openJournal();
            if (!journal) {
                throw IoError(pathText(mapsFolder()),
                              "the journal is off (QUORVELL_NO_JOURNAL=1) or there are no maps: "
                              "there is nothing to go back to");
            }
            EventYield yield;
            const YieldInUse inUse(yield_, yield);
            session::RunContext context = runContext(BarRule::Toggle, yield);
            outcome = journal::runWayBack(*journal, kind, dryRun, frontEnd(), context);
            if (!dryRun && !outcome.batch.changed.empty()) {
                List2->clearAllChecks();
                scanAllMaps(nullptr); // the marks as the maps now hold them
            }
        },
        dryRun ? FailurePolicy::Marks::Kept : FailurePolicy::Marks::Rescanned);
    return outcome;
}

std::string Form1::frontEnd() const {
    return commandLineMode() ? "command-line mode" : "window";
}

void Form1::undoLastRun() {
    if (working() || mapsFolder().empty()) {
        return;
    }
    const journal::WayBackOutcome outcome = wayBack(journal::WayBackKind::Undo, false);
    if (outcome.nothingToDo) {
        showMessage(false, QStringLiteral("Quorvell"),
                    QStringLiteral("Nothing to undo: every run in the journal is undone already."));
    } else if (!outcome.leftAlone.empty()) {
        showMessage(true, QStringLiteral("Quorvell"),
                    QStringLiteral("Undo: %1.").arg(text(outcome.what)) +
                        leftAloneText(outcome.leftAlone));
    }
}

void Form1::restoreFirstFound() {
    if (working() || mapsFolder().empty()) {
        return;
    }
    const journal::WayBackOutcome planned = wayBack(journal::WayBackKind::Restore, true);
    std::uint64_t references = 0;
    for (const session::MapChange& change : planned.batch.changed) {
        references += change.references;
    }
    if (planned.batch.changed.empty()) {
        showMessage(false, QStringLiteral("Quorvell"),
                    QStringLiteral("The maps are as Quorvell first found them.") +
                        leftAloneText(planned.leftAlone));
        return;
    }
    gate_.letGoOfMaps();
    const bool restore = MessageBoxes::offer(
        isVisible() ? this : nullptr, BoxIcon::Information, QStringLiteral("Quorvell"),
        QStringLiteral("Put %1 %2 in %3 %4 back as Quorvell first found them?")
                .arg(references)
                .arg(references == 1 ? QStringLiteral("reference") : QStringLiteral("references"))
                .arg(planned.batch.changed.size())
                .arg(planned.batch.changed.size() == 1 ? QStringLiteral("map")
                                                       : QStringLiteral("maps")) +
            leftAloneText(planned.leftAlone),
        QStringLiteral("Restore"));
    if (!restore) {
        return;
    }
    const journal::WayBackOutcome done = wayBack(journal::WayBackKind::Restore, false);
    if (!done.leftAlone.empty()) {
        showMessage(true, QStringLiteral("Quorvell"),
                    QStringLiteral("Restored the maps as first found.") +
                        leftAloneText(done.leftAlone));
    }
}

// At start-up, after the first scan (under the maps lock in command-line
// mode, so no other Quorvell's run is mistaken for one cut short): a run
// whose record has no end. The window offers to undo it; command-line mode
// runs unattended, so it says so in one line and goes on with its preset.
void Form1::checkCutShortRun() {
    if (cutShortChecked_) {
        return;
    }
    cutShortChecked_ = true;
    try {
        std::optional<journal::Journal> journal = openJournal();
        const journal::RunEntry* run = journal ? journal->unfinished() : nullptr;
        if (run == nullptr) {
            return;
        }
        const journal::RunEntry cut = *run;
        const std::size_t reached = journal::mapsReached(journal->plansOf(cut));
        if (commandLineMode()) {
            // The preset run that follows is recorded after it, so it is
            // undone first.
            printErr(journal::cutShortText(cut, reached) + "; " + journal::kRollBackText +
                     " once the runs after it are undone");
            return;
        }
        const bool undo = MessageBoxes::offer(
            isVisible() ? this : nullptr, BoxIcon::Information, QStringLiteral("Quorvell"),
            text(journal::cutShortText(cut, reached)) +
                QStringLiteral(".\n\nUndo it to put back what it wrote, or close this box to "
                               "leave the maps as they are."),
            QStringLiteral("Undo it"));
        if (undo) {
            undoLastRun();
        } else {
            journal->reload();
            journal::leaveAsTheyAre(*journal, cut);
        }
    } catch (const IoError& failure) {
        if (commandLineMode()) {
            return; // the run's own record names the journal if it matters
        }
        showMessage(true, QStringLiteral("Quorvell"),
                    QStringLiteral("The journal could not be read:\n%1\n\n%2")
                        .arg(text(failure.path()), text(failure.reason())));
    }
}

void Form1::showFailure(const QString& failure) {
    QString done;
    if (runFailedPartWay_ && !commandLineMode()) {
        try {
            const std::optional<journal::Journal> journal = openJournal();
            const journal::RunEntry* run = journal ? journal->lastUndoable() : nullptr;
            if (run != nullptr && run->state == journal::RunState::CutShort && run->end.maps > 0) {
                done = QStringLiteral("Before it stopped, the run %1 in %2 of %3 maps.")
                           .arg(text(run->summary.what))
                           .arg(run->end.maps)
                           .arg(run->summary.maps);
            }
        } catch (const IoError&) {
            // The failure is told all the same; the journal adds nothing.
        }
    }
    if (done.isEmpty()) {
        showMessage(true, QStringLiteral("Quorvell"), failure);
        return;
    }
    gate_.letGoOfMaps();
    undoAfterFailure_ = MessageBoxes::offer(isVisible() ? this : nullptr, BoxIcon::Error,
                                            QStringLiteral("Quorvell"), failure + "\n\n" + done,
                                            QStringLiteral("Undo what was done"));
}

} // namespace quorvell::app
