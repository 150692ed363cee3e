#include "app/event_yield.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/progress_rule.h"
#include "base/path_text.h"
#include "presets/command_line_mode.h"
#include "presets/preset_marks.h"

#include <stdexcept>

namespace quorvell::app {

void Form1::enable_preseT(const std::string& preseT, std::int16_t disablE_bit) {
    WorkingState::Hold hold = working_.hold();
    const presets::PhaseOneResult phaseOne = presets::markPreset(
        List5.lines(), preseT, disablE_bit != 0, List2->texts(), List2->marks());
    switch (phaseOne.status) {
    case presets::PhaseOneStatus::StoppedBySpecialEntry:
        return;
    case presets::PhaseOneStatus::UnterminatedBlock:
        throw IoError(pathText(setup_.workingDir / "Presets.ini"),
                      "the block of preset \"" + preseT + "\" has no closing \"}\"");
    case presets::PhaseOneStatus::Proceed:
        break;
    }
    // The working state is on, so none of these check marks patches.
    List2->setMarks(phaseOne.marks);

    notSwitchedOn_.clear();
    const patching::BatchIndex index(List2->rows());
    forEachMap(BarRule::Preset, [&](const std::filesystem::path& mapPath, EventYield& yield) {
        collectNotSwitchedOn(patching::patchPresetInMap(mapPath, index, yield.fn()));
    });
    hold.release();
    reportNotSwitchedOn(notSwitchedOn_);
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
    if (working() || gate_.busy() || Combo1->currentIndex() < 0) {
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
    hooks.showMessage = [this](const std::string& title, const std::string& text, bool error) {
        if (!setup_.headless) {
            showMessage(error, QString::fromStdString(title), QString::fromStdString(text));
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
    const presets::CommandLineOutcome outcome = presets::runCommandLine(setup_.argumentText, hooks);
    unsetCursor();
    return static_cast<int>(outcome);
}

} // namespace quorvell::app
