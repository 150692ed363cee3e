#include "app/event_yield.h"
#include "app/main_window.h"
#include "app/progress_rule.h"

#include <string_view>
#include <unordered_set>

namespace quorvell::app {

namespace {
// Lets the per-map procedures share the running loop's yield, for as long
// as that loop's own yield lives.
class YieldInUse {
public:
    YieldInUse(EventYield*& slot, EventYield& yield) : slot_(slot) { slot_ = &yield; }
    ~YieldInUse() { slot_ = nullptr; }
    YieldInUse(const YieldInUse&) = delete;
    YieldInUse& operator=(const YieldInUse&) = delete;

private:
    EventYield*& slot_;
};
} // namespace

void Form1::forEachMap(BarRule rule, const MapStep& step, std::vector<IoError>* unreadable) {
    if (List3.count() == 0) {
        return;
    }
    const auto ownLock = gate_.lockMaps();
    const float quarter = form2_->Shape1->widthTwips() / 4.0f;
    EventYield yield;
    const YieldInUse inUse(yield_, yield);
    for (int i = 0; i < List3.count(); ++i) {
        yield.perFile();
        try {
            step(List3.path(i), yield);
        } catch (const IoError& failure) {
            if (unreadable == nullptr) {
                throw;
            }
            unreadable->push_back(failure);
        }
        const int n = List3.count();
        if (rule != BarRule::Toggle && !isVisible()) {
            form2_->Shape1->setWidthTwips(rule == BarRule::Scan ? bannerScanWidth(quarter, i, n)
                                                                : bannerPresetWidth(i, n));
        } else {
            Shape1->setWidthTwips(mainBarWidth(i, n));
        }
    }
}

void Form1::ScanAllMaps() {
    scanAllMaps(nullptr);
}

void Form1::scanAllMaps(std::vector<IoError>* unreadable) {
    WorkingState::Hold hold = working_.hold();
    const patching::ScanIndex index(List2->rows());
    rowTooltips_->startScan();
    forEachMap(
        BarRule::Scan,
        [&](const std::filesystem::path& mapPath, EventYield& yield) {
            List1.clear();
            scanOneMap(mapPath, index, yield);
        },
        unreadable);
    rowTooltips_->endScan();
    if (List2->count() > 2) {
        List2->setCurrentRow(0);
    }
    hold.release();
    List2->update();
}

void Form1::ScanMapFile(const std::filesystem::path& mapPath) {
    const patching::ScanIndex index(List2->rows());
    EventYield own;
    scanOneMap(mapPath, index, yield_ != nullptr ? *yield_ : own);
}

void Form1::scanOneMap(const std::filesystem::path& mapPath, const patching::ScanIndex& index,
                       EventYield& yield) {
    const std::vector<std::size_t> rows =
        patching::scanMap(mapPath, index, List1.references(), yield.fn());
    rowTooltips_->mapScanned(rows);
    // The caller holds the working state, so these check marks never patch.
    List2->setCheckedRows(rows);
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
            notSwitchedOn_.clear();
            const patching::ToggleTarget target(List2->rowText(row), switchOn);
            forEachMap(BarRule::Toggle, [&](const std::filesystem::path& mapPath, EventYield&) {
                PatchTextureInMap(mapPath, target);
            });
            reportNotSwitchedOn(notSwitchedOn_);
        },
        FailurePolicy::Marks::Rescanned, std::move(marksBefore));
}

void Form1::PatchTextureInMap(const std::filesystem::path& mapPath,
                              const patching::ToggleTarget& target) {
    EventYield own;
    EventYield& yield = yield_ != nullptr ? *yield_ : own;
    collectNotSwitchedOn(patching::switchTextureInMap(mapPath, target, yield.fn()));
}

// Each map names a texture once at most; the names of all maps are made
// distinct once, when they are reported, not searched per map.
void Form1::collectNotSwitchedOn(const patching::PatchOutcome& outcome) {
    notSwitchedOn_.insert(notSwitchedOn_.end(), outcome.notSwitchedOn.begin(),
                          outcome.notSwitchedOn.end());
}

void Form1::reportNotSwitchedOn(const std::vector<std::string>& named) {
    std::unordered_set<std::string_view> seen;
    std::vector<std::string_view> rowTexts;
    for (const std::string& rowText : named) {
        if (seen.insert(rowText).second) {
            rowTexts.push_back(rowText);
        }
    }
    if (rowTexts.empty()) {
        return;
    }
    QString text = rowTexts.size() == 1
                       ? QStringLiteral("This texture could not be switched on:\n")
                       : QStringLiteral("These textures could not be switched on:\n");
    for (const std::string_view rowText : rowTexts) {
        text += QStringLiteral("\n") +
                QString::fromUtf8(rowText.data(), static_cast<qsizetype>(rowText.size()));
    }
    text += QStringLiteral("\n\nThe name is too long for the maps: with \"__overridden\" added "
                           "it would not fit. A name of at most 51 characters before \".dds\" "
                           "can be switched on.");
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
