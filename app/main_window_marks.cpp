// The check marks as the maps hold them: read at start-up, again before
// every preset run and whenever another program changes the maps; never
// shown (nor acted on) unread.

#include "app/event_yield.h"
#include "app/list_filter.h"
#include "app/list_notice.h"
#include "app/main_window.h"
#include "app/maps_watcher.h"
#include "patching/maps_lock.h"
#include "session/messages.h"
#include "session/scan.h"

#include <QtGui/QAccessible>

namespace quorvell::app {

void Form1::readMarks(bool firstScan) {
    lockProbe_->stop();
    if (!awaitingScan_.held()) {
        awaitingScan_ = working_.hold();
    }
    QString failure;
    bool busy = false;
    gate_.run([&] {
        const WorkingState::Hold hold = working_.hold();
        try {
            if (firstScan) {
                List2->clearAllChecks();
                ScanAllMaps();
            } else {
                readMarksFromMaps();
            }
        } catch (const patching::MapsFolderBusy& problem) {
            busy = true;
            failure = QString::fromStdString(problem.reason());
        } catch (const IoError& problem) {
            failure = QString::fromStdString(problem.path() + ": " + problem.reason());
        } catch (const std::exception& problem) {
            failure = QString::fromUtf8(problem.what());
        }
    });
    marksRead_ = failure.isEmpty();
    if (!marksRead_) {
        listNotice_->showFailure(
            QStringLiteral("The check marks could not be read from the maps, so nothing can be "
                           "switched yet.\n\n%1")
                .arg(failure));
        if (busy) {
            lockProbe_->start(); // and again by itself once the maps are free
        }
        return;
    }
    listNotice_->hide();
    mapsWatcher_->watch(List3.paths());
    awaitingScan_.release();
}

void Form1::readMarksFromMaps() {
    const WorkingState::Hold hold = working_.hold();
    EventYield yield;
    const YieldInUse inUse(yield_, yield);
    session::RunContext context = runContext(BarRule::Scan, yield);
    session::MissingTextureScan missing;
    session::ScanResult scan = session::scanMaps(List3.paths(), List2->rows(), context, {},
                                                 &List1.references(), nullptr, &missing);
    // The working state is on, so these check marks never patch.
    List2->setMarks(scan.marks);
    missing_->setTextures(missing.found(), scan.mapsScanned);
    showCounts(std::move(scan.counts));
}

void Form1::showCounts(std::vector<session::MapCount> counts) {
    std::vector<bool> partly(counts.size());
    for (std::size_t row = 0; row < counts.size(); ++row) {
        partly[row] = session::partlyOn(counts[row]);
    }
    if (partly.size() == static_cast<std::size_t>(List2->count())) {
        List2->setPartly(partly);
    }
    counts_ = counts;
    rowTooltips_->setCounts(std::move(counts));
    listFilter_->apply();
}

// Outside changes are followed while the window is idle; one that comes
// during an operation is looked at again once it ends (the operation's own
// writes are remembered by then, so they do not count).
void Form1::followOutsideChange() {
    if (ended_ || commandLineMode() || !marksRead_) {
        return;
    }
    if (gate_.busy()) {
        gate_.afterRunning([this] { QTimer::singleShot(0, mapsWatcher_, &MapsWatcher::recheck); });
        return;
    }
    if (!working()) {
        readMarks(false);
    }
}

// While the maps are busy after a read failed: a look at the lock (never at
// the maps) and the read again as soon as it is free.
void Form1::probeMapsLock() {
    if (List3.count() == 0 || gate_.busy() || ended_) {
        return;
    }
    try {
        const patching::MapsFolderLock probe(List3.path(0).parent_path(), {},
                                             std::chrono::milliseconds(0));
    } catch (const patching::MapsFolderBusy&) {
        return;
    } catch (const IoError&) {
    }
    readMarks(true);
}

void Form1::reportMadeWhole(const std::string& preset, bool removed,
                            const std::vector<bool>& marks) {
    std::size_t madeWhole = 0;
    for (std::size_t row = 0; row < counts_.size() && row < marks.size(); ++row) {
        const bool firstOfName = row == 0 || List2->rowText(static_cast<int>(row) - 1) !=
                                                 List2->rowText(static_cast<int>(row));
        if (firstOfName && marks[row] && session::partlyOn(counts_[row])) {
            ++madeWhole;
        }
        // Every texture is now as its mark says in every map that uses it.
        counts_[row].on = marks[row] ? counts_[row].using_ : 0;
    }
    showCounts(counts_);
    if (commandLineMode()) {
        return;
    }
    if (madeWhole == 0) {
        announce(QString::fromStdString(preset + (removed ? " removed" : " applied")));
        return;
    }
    const QString line = QString::fromStdString(session::madeWholeText(preset, removed, madeWhole));
    tickerText_ = std::string(5, ' ') + line.toStdString() + std::string(5, ' ');
    announce(line);
    showMessage(false, QStringLiteral("Quorvell"), line);
}

// Screen readers hear a run's result: the status element's description
// changes and the change is sent. (Qt before 6.8 has no announcement event.)
void Form1::announce(const QString& text) {
    listNotice_->setAccessibleDescription(text);
    setAccessibleDescription(text);
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace quorvell::app
