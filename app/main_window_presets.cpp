#include "app/event_yield.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/progress_rule.h"
#include "presets/command_line_mode.h"
#include "session/runs.h"

#include <stdexcept>

namespace quorvell::app {

void Form1::enable_preseT(const std::string& preseT, std::int16_t disablE_bit) {
    WorkingState::Hold hold = working_.hold();
    EventYield yield;
    const YieldInUse inUse(yield_, yield);
    session::RunContext context = runContext(BarRule::Preset, yield);
    const std::vector<std::string> texts = List2->texts();
    const session::PresetRequest request{
        List5.lines(), presetFile_, preseT, disablE_bit != 0, false, texts, List3.paths(),
        // The maps as they are now, read under the run's hold of the lock;
        // command-line mode holds the lock from its own scan on.
        [this] {
            if (!commandLineMode()) {
                readMarksFromMaps();
            }
            return List2->marks();
        },
        // The working state is on, so none of these check marks patches.
        [this](const std::vector<bool>& marks) { List2->setMarks(marks); }};
    const session::PresetOutcome outcome = session::runPreset(request, context);
    if (!outcome.stoppedBySpecialEntry) {
        reportMadeWhole(preseT, disablE_bit != 0, outcome.marks);
    }
    hold.release();
    reportNotSwitchedOn(outcome.batch.notSwitchedOn);
    for (const std::string& warning : outcome.batch.warnings) {
        printErr("Warning: " + warning);
    }
}

// Neither hot spot is covered by the working state, so each refuses by
// itself while anything runs: two runs must never write the same maps.
void Form1::Label5_Click() {
    runChosenPreset(0);
}

void Form1::Label6_Click() {
    runChosenPreset(1);
}

void Form1::runChosenPreset(std::int16_t disablE_bit) {
    if (working() || gate_.busy() || !marksRead_ || Combo1->currentIndex() < 0) {
        return;
    }
    const std::string name = Combo1->currentText().toStdString();
    if (name.empty()) {
        return;
    }
    runOperation([&] { enable_preseT(name, disablE_bit); }, FailurePolicy::Marks::Rescanned);
}

// The whole of command-line mode is one operation: the maps stay locked from
// the scan to the end of the last preset run (except while a box waits), so
// another Quorvell cannot change them between the scan and the run that
// relies on its check marks.
void Form1::Timer3_Timer() {
    Timer3->stop();
    hide();
    setCursor(Qt::WaitCursor);
    int status = static_cast<int>(presets::CommandLineOutcome::Failed);
    gate_.run([&] { status = scan_commandlinE(); });
    endProgram(status);
}

int Form1::scan_commandlinE() {
    for (const std::string& problem : startupProblems_) {
        printErr(problem);
    }
    presets::CommandLineHooks hooks;
    hooks.showBanner = [this] { form2_->showCentred(); };
    hooks.scanAllMaps = [this] {
        ScanAllMaps();
        checkCutShortRun();
        setCursor(Qt::WaitCursor);
    };
    hooks.checkGameFound = [this] {
        if (!game_.found()) {
            throw std::runtime_error("Thief - Deadly Shadows was not found");
        }
        if (!mapsFolderListed_) {
            throw std::runtime_error("the game's maps folder could not be listed");
        }
    };
    hooks.presetNames = [this] {
        std::vector<std::string> names;
        for (int i = 0; i < Combo1->count(); ++i) {
            names.push_back(Combo1->itemText(i).toStdString());
        }
        return names;
    };
    hooks.enablePreset = [this](const std::string& name, bool disable) {
        enable_preseT(name, disable ? 1 : 0);
    };
    // The boxes keep the maps held: with two matching presets the run goes on
    // after the first box, and no other Quorvell may change the maps between.
    hooks.showMessage = [this](const std::string& title, const std::string& text, bool error) {
        if (!setup_.headless) {
            MessageBoxes::show(nullptr, error ? BoxIcon::Error : BoxIcon::Information,
                               QString::fromStdString(title), QString::fromStdString(text));
        }
    };
    hooks.printOut = [this](const std::string& line) { printOut(line); };
    hooks.printErr = [this](const std::string& line) { printErr(line); };
    hooks.showError = [this](const std::string& title, const std::string& text,
                             const std::string& detail) {
        if (!setup_.headless) {
            MessageBoxes::show(nullptr, BoxIcon::Error, QString::fromStdString(title),
                               QString::fromStdString(text), QString::fromStdString(detail));
        }
    };
    hooks.noPresetFile = services_->noPresetFile();
    hooks.presetFileProblem = presetProblem_;
    const presets::CommandLineOutcome outcome = presets::runCommandLine(setup_.argumentText, hooks);
    unsetCursor();
    return static_cast<int>(outcome);
}

} // namespace quorvell::app
