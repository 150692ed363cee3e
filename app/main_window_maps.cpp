#include "app/event_yield.h"
#include "app/main_window.h"
#include "app/progress_rule.h"

#include <algorithm>

namespace quorvell::app {

namespace {
// Lets the per-map procedures share the running operation's yield, for as
// long as that operation's own yield lives.
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

void Form1::ScanAllMaps() {
    forM_working(1);
    const float quarter = form2_->Shape1->widthTwips() / 4.0f;
    const patching::ScanIndex index(List2->rows());
    rowTooltips_->startScan();
    EventYield yield;
    for (int i = 0; i < List3.count(); ++i) {
        yield.perFile();
        List1.clear();
        scanOneMap(List3.path(i), index, yield);
        if (isVisible()) {
            Shape1->setWidthTwips(mainBarWidth(i, List3.count()));
        } else {
            form2_->Shape1->setWidthTwips(bannerScanWidth(quarter, i, List3.count()));
        }
    }
    rowTooltips_->endScan();
    if (List2->count() > 2) {
        List2->setCurrentRow(0);
    }
    forM_working(0);
    List2->update();
}

void Form1::ScanMapFile(const std::filesystem::path& mapPath) {
    const patching::ScanIndex index(List2->rows());
    EventYield yield;
    scanOneMap(mapPath, index, yield);
}

void Form1::scanOneMap(const std::filesystem::path& mapPath, const patching::ScanIndex& index,
                       EventYield& yield) {
    const std::vector<std::size_t> rows =
        patching::ScanMapFile(mapPath, index, List1.references(), yield.fn());
    rowTooltips_->mapScanned(rows);
    // The caller holds the working state, so these check marks never patch.
    for (const std::size_t row : rows) {
        List2->setChecked(static_cast<int>(row), true);
    }
}

// The row the event names is the one switched: for a player's click or key
// it is also the current row, but a check mark changed any other way (an
// assistive tool, a click on another row's box) must not switch the current
// row's texture instead.
void Form1::List2_ItemCheck(int row) {
    if (!List2->isEnabled() || row < 0 || row >= List2->count()) {
        return;
    }
    runGuarded([this, row] {
        forM_working(1);
        notSwitchedOn_.clear();
        const patching::ToggleTarget target(List2->rowText(row));
        EventYield yield;
        const YieldInUse inUse(yield_, yield);
        for (int i = 0; i < List3.count(); ++i) {
            yield.perFile();
            PatchTextureInMap(List3.path(i), target);
            Shape1->setWidthTwips(mainBarWidth(i, List3.count()));
        }
        forM_working(0);
        reportNotSwitchedOn(notSwitchedOn_);
    });
}

void Form1::PatchTextureInMap(const std::filesystem::path& mapPath,
                              const patching::ToggleTarget& target) {
    EventYield own;
    EventYield& yield = yield_ != nullptr ? *yield_ : own;
    collectNotSwitchedOn(patching::PatchTextureInMap(mapPath, target, yield.fn()));
}

void Form1::collectNotSwitchedOn(const patching::PatchOutcome& outcome) {
    for (const std::string& rowText : outcome.notSwitchedOn) {
        if (std::find(notSwitchedOn_.begin(), notSwitchedOn_.end(), rowText) ==
            notSwitchedOn_.end()) {
            notSwitchedOn_.push_back(rowText);
        }
    }
}

void Form1::reportNotSwitchedOn(const std::vector<std::string>& rowTexts) {
    if (rowTexts.empty()) {
        return;
    }
    QString text = rowTexts.size() == 1
                       ? QStringLiteral("This texture could not be switched on:\n")
                       : QStringLiteral("These textures could not be switched on:\n");
    for (const std::string& rowText : rowTexts) {
        text += QStringLiteral("\n") + QString::fromStdString(rowText);
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

void Form1::File1_Click(const std::filesystem::path& mapPath) {
    if (working()) {
        return;
    }
    runGuarded([&] {
        forM_working(1);
        ScanMapFile(mapPath);
        forM_working(0);
    });
}

} // namespace quorvell::app
