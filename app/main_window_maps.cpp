#include "app/event_yield.h"
#include "app/main_window.h"
#include "app/progress_rule.h"
#include "base/stop_signals.h"
#include "session/messages.h"
#include "session/missing_textures.h"
#include "session/runs.h"
#include "session/scan.h"

namespace quorvell::app {

session::RunContext Form1::runContext(BarRule rule, EventYield& yield) {
    session::LoopHooks hooks;
    hooks.beforeMap = [&yield] { yield.perFile(); };
    hooks.withinMap = yield.fn();
    const float quarter = form2_->Shape1->widthTwips() / 4.0f;
    hooks.afterMap = [this, rule, quarter](std::size_t index, std::size_t total) {
        const int i = static_cast<int>(index);
        const int n = static_cast<int>(total);
        if (rule != BarRule::Toggle && !isVisible()) {
            form2_->Shape1->setWidthTwips(rule == BarRule::Scan ? bannerScanWidth(quarter, i, n)
                                                                : bannerPresetWidth(i, n));
        } else {
            Shape1->setWidthTwips(mainBarWidth(i, n));
        }
    };
    hooks.stopRequested = [] { return stopRequested(); };
    return session::RunContext{mapsLocker_, std::move(hooks), runRecorder()};
}

void Form1::ScanAllMaps() {
    scanAllMaps(nullptr);
}

void Form1::scanAllMaps(std::vector<IoError>* unreadable) {
    WorkingState::Hold hold = working_.hold();
    EventYield yield;
    const YieldInUse inUse(yield_, yield);
    session::RunContext context = runContext(BarRule::Scan, yield);
    session::MissingTextureScan missing;
    const session::ScanResult scan = session::scanMaps(
        List3.paths(), List2->rows(), context,
        // The caller holds the working state, so these check marks never patch.
        [this](const std::filesystem::path&, const std::vector<std::size_t>& rowsOn,
               const patching::ReferenceSet&) { List2->setCheckedRows(rowsOn); },
        &List1.references(), unreadable, &missing);
    missing_->setTextures(missing.found(), scan.mapsScanned);
    showCounts(scan.counts);
    if (List2->count() > 2) {
        List2->setCurrentRow(0);
    }
    hold.release();
    List2->update();
}

// A developer's scan of one map: its check marks added to the list's.
void Form1::ScanMapFile(const std::filesystem::path& mapPath) {
    const patching::ScanIndex index(List2->rows());
    EventYield own;
    EventYield& yield = yield_ != nullptr ? *yield_ : own;
    List2->setCheckedRows(patching::scanMap(mapPath, index, List1.references(), yield.fn()));
}

// The row the event names is the one switched: for a player's click or key
// it is also the current row, but a check mark changed any other way (an
// assistive tool, a click on another row's box) must not switch the current
// row's texture instead. Every reference goes to the row's new state, so
// the maps end as the list shows them even where they disagreed before.
void Form1::List2_ItemCheck(int row) {
    if (!List2->isEnabled() || row < 0 || row >= List2->count()) {
        return;
    }
    const bool switchOn = List2->isChecked(row);
    std::vector<bool> marksBefore = List2->marks();
    marksBefore[static_cast<std::size_t>(row)] = !switchOn;
    runOperation(
        [this, row, switchOn] {
            EventYield yield;
            const YieldInUse inUse(yield_, yield);
            session::RunContext context = runContext(BarRule::Toggle, yield);
            reportNotSwitchedOn(
                session::switchTexture(List3.paths(), List2->rowText(row), switchOn, context)
                    .notSwitchedOn);
            if (counts_.size() == static_cast<std::size_t>(List2->count())) {
                const auto [first, end] = List2->twinRange(row);
                for (int twin = first; twin < end; ++twin) {
                    auto& count = counts_[static_cast<std::size_t>(twin)];
                    count.on = switchOn ? count.using_ : 0;
                }
                rowTooltips_->setCounts(counts_);
            }
        },
        FailurePolicy::Marks::Rescanned, std::move(marksBefore));
}

patching::PatchOutcome Form1::PatchTextureInMap(const std::filesystem::path& mapPath,
                                                const patching::ToggleTarget& target) {
    EventYield own;
    EventYield& yield = yield_ != nullptr ? *yield_ : own;
    return patching::switchTextureInMap(mapPath, target, yield.fn());
}

// rowTexts: each name once.
void Form1::reportNotSwitchedOn(const std::vector<std::string>& rowTexts) {
    if (rowTexts.empty()) {
        return;
    }
    QString text =
        QString::fromUtf8(session::notSwitchedOnHeading(rowTexts.size())) + QStringLiteral(":\n");
    for (const std::string& rowText : rowTexts) {
        text += QStringLiteral("\n") + QString::fromStdString(rowText);
    }
    text += QStringLiteral("\n\n") + QString::fromUtf8(session::kNameTooLong);
    if (commandLineMode()) {
        printErr(text.toStdString());
        return;
    }
    showMessage(false, QStringLiteral("Quorvell"), text);
}

// A developer's scan of one map, from the panel's list.
void Form1::File1_Click(const std::filesystem::path& mapPath) {
    if (working()) {
        return;
    }
    runOperation(
        [&] {
            const WorkingState::Hold hold = working_.hold();
            const auto ownLock = gate_.lockMaps();
            ScanMapFile(mapPath);
        },
        FailurePolicy::Marks::Kept);
}

} // namespace quorvell::app
