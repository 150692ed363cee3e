#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/ticker.h"
#include "discovery/game_folders.h"

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <utility>

namespace quorvell::app {

namespace {
std::string describe(const IoError& problem) {
    return "Could not list " + problem.path() + ": " + problem.reason();
}
} // namespace

void Form1::start() {
    Form_Load();
    if (commandLineMode()) {
        return;
    }
    placeWindow();
    show();
    if (!startupProblems_.empty()) {
        QTimer::singleShot(0, this, &Form1::showStartupProblems);
    }
    QTimer::singleShot(0, this, &Form1::showPresetSlips);
}

// Where it was left, when that is still on a screen; at the first start,
// centred on the screen that holds the pointer.
void Form1::placeWindow() {
    if (const auto left = services_->windowPosition()) {
        if (QGuiApplication::screenAt(*left + QPoint(width() / 2, 10)) != nullptr) {
            move(*left);
            return;
        }
    }
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen != nullptr) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// In interactive mode the working state stays on past the end of start-up,
// until Timer1's scan has set the check marks.
void Form1::Form_Load() {
    WorkingState::Hold hold = working_.hold();
    tickerText_ = startupTickerText();
    import_presetS();
    LocateGameRoot();
    LoadOriginalCatalogue();
    ScanCustomTextures();
    ListMapFiles();
    if (commandLineMode()) {
        Timer1->stop();
        Timer3->start();
        hide();
    } else {
        awaitingScan_ = std::move(hold);
    }
}

// Read again by Refresh and after a save: the chosen preset stays chosen
// while it exists.
void Form1::import_presetS() {
    const QString chosen = Combo1->currentIndex() >= 0 ? Combo1->currentText() : QString();
    Combo1->clear();
    List5.clear();
    presetProblem_.clear();
    std::optional<presets::PresetFile> file;
    try {
        file = services_->importPresets(setup_.workingDir);
    } catch (const IoError& problem) {
        // An unreadable preset file leaves the chooser empty, like a missing
        // one, but the player is told why; command-line mode fails with it.
        presetProblem_ = problem.path() + ": " + problem.reason();
        if (!commandLineMode()) {
            startupProblems_.push_back("Could not read " + presetProblem_);
        }
    }
    presetFile_ = file && !file->path.empty() ? file->path : services_->presetFile();
    if (presetFile_.empty()) {
        presetFile_ = setup_.workingDir / "Presets.ini";
    }
    if (file) {
        List5.assign(std::move(file->lines));
        for (const std::string& name : file->names) {
            Combo1->addItem(QString::fromStdString(name));
        }
    }
    // Nothing is picked until the player picks.
    Combo1->setCurrentIndex(chosen.isEmpty() ? -1 : Combo1->findText(chosen, Qt::MatchExactly));
}

void Form1::LocateGameRoot() {
    game_ = services_->locateGameRoot();
    Text2 = game_.root;
    if (!game_.found()) {
        startupProblems_.push_back(discovery::notFoundReport(game_));
    }
}

void Form1::LoadOriginalCatalogue() {
    List4.clear();
    for (std::string& name : services_->loadOriginalCatalogue()) {
        List4.add(std::move(name));
    }
}

// Without a game root there is nothing to list: the folders would resolve
// against whatever the current folder happens to be.
void Form1::ScanCustomTextures() {
    if (!game_.found()) {
        return;
    }
    discovery::CustomTextureScan scan = services_->scanCustomTextures(game_, List4.rows());
    for (const std::string& name : scan.names) {
        List2->addRow(name);
    }
    rowTooltips_->setFound(scan);
    rowTooltips_->setGame(game_);
    for (const IoError& problem : scan.problems) {
        startupProblems_.push_back(describe(problem));
    }
}

void Form1::ListMapFiles() {
    List3.clear();
    mapsFolderListed_ = false;
    if (!game_.found()) {
        return;
    }
    discovery::MapListing listing = services_->listMapFiles(game_);
    for (auto& path : listing.paths) {
        List3.add(std::move(path));
    }
    for (const IoError& problem : listing.problems) {
        startupProblems_.push_back(describe(problem));
    }
    mapsFolderListed_ = listing.problems.empty();
}

void Form1::GenerateTextureList() {
    services_->generateTextureList(game_, generatorOutput());
}

std::filesystem::path Form1::generatorOutput() const {
    return game_.paths->toHost(discovery::kGeneratorOutput);
}

void Form1::generateTextureListTo(const std::filesystem::path& output) {
    runOperation([this, output] { services_->generateTextureList(game_, output); },
                 FailurePolicy::Marks::Kept);
}

void Form1::showStartupProblems() {
    if (startupProblems_.empty()) {
        return;
    }
    if (!game_.found()) {
        offerGameFolder();
        return;
    }
    QString text = QStringLiteral("Some of what Quorvell needs could not be read:\n");
    for (const std::string& problem : startupProblems_) {
        text += QStringLiteral("\n") + QString::fromStdString(problem);
    }
    showMessage(true, QStringLiteral("Quorvell"), text);
}

// A scan that comes due while another operation runs waits for its end.
void Form1::Timer1_Timer() {
    Timer1->stop();
    if (gate_.busy()) {
        gate_.afterRunning([this] { QTimer::singleShot(0, this, &Form1::Timer1_Timer); });
        return;
    }
    // The list has been off since start-up or Refresh; it comes back once
    // these check marks are set.
    readMarks(true);
    QTimer::singleShot(0, this, &Form1::checkCutShortRun);
}

void Form1::Command2_Click() {
    runOperation([this] { GenerateTextureList(); }, FailurePolicy::Marks::Kept);
}

void Form1::Command3_Click() {
    runOperation([this] { LoadOriginalCatalogue(); }, FailurePolicy::Marks::Kept);
}

void Form1::Command4_Click() {
    runOperation([this] { ScanAllMaps(); }, FailurePolicy::Marks::Rescanned);
}

// Refresh: the list is emptied first, so no texture is listed twice; it
// stays off until the scan that Timer1 starts has set the check marks anew.
void Form1::Command5_Click() {
    if (working()) {
        return;
    }
    readGameAgain(false);
}

// The working state stays on until Timer1's scan has set the check marks.
void Form1::readGameAgain(bool withMaps) {
    runOperation(
        [this, withMaps] {
            WorkingState::Hold hold = working_.hold();
            List2->clearRows();
            startupProblems_.clear();
            import_presetS();
            ScanCustomTextures();
            if (withMaps) {
                ListMapFiles();
            }
            if (!startupProblems_.empty()) {
                showStartupProblems();
            }
            Timer1->start();
            marksRead_ = false;
            awaitingScan_ = std::move(hold);
        },
        FailurePolicy::Marks::Kept);
}

} // namespace quorvell::app
