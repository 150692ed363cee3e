#pragma once

// What the window tests share: the application object, a game install in a
// temporary folder, and a window built on it.

#include "app/game_services.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "tests/support/fake_install.h"

#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}
inline void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace quorvell::testing {

// The QApplication of the test program, made on first use.
void ensureApplication();

// Runs the event loop until done() holds or timeoutMs pass.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Start-up's reads over the fake install, each one noted as it is made.
class RecordingServices : public app::GameServices {
public:
    // programDir: the folder the program lies in, where Presets.ini is looked
    // for after the working folder.
    explicit RecordingServices(const FakeInstall& fake, bool gameFound = true,
                               std::filesystem::path programDir = {});

    std::optional<presets::PresetFile> importPresets(const std::filesystem::path& dir) override;
    discovery::GameInstall locateGameRoot() override;
    std::vector<std::string> loadOriginalCatalogue() override;
    discovery::CustomTextureScan scanCustomTextures(const discovery::GameInstall& game,
                                                    const std::vector<std::string>& l4) override;
    discovery::MapListing listMapFiles(const discovery::GameInstall& game) override;

    std::vector<std::string> calls;

private:
    const FakeInstall& fake_;
    bool gameFound_;
};

struct Console {
    std::vector<std::string> out;
    std::vector<std::string> err;
};

// A window on the fake install; not started. lockWait: how long its runs
// wait for the maps lock.
std::unique_ptr<app::Form1> makeForm(const FakeInstall& fake, const std::string& argumentText = {},
                                     std::shared_ptr<RecordingServices> services = {},
                                     Console* console = nullptr, bool headless = false,
                                     std::chrono::milliseconds lockWait = std::chrono::seconds(60));

// Row of List2 with this text; -1 when missing.
int rowOf(const app::Form1& form, const std::string& text);

// Clicks the row's check box as a player does.
void clickCheckBox(app::Form1& form, int row);

// The tooltip shown over the row.
QString rowTooltip(app::Form1& form, int row);

// Fixture: an application, boxes recorded instead of shown.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    const std::vector<app::ShownBox>& boxes() const { return app::MessageBoxes::recorded(); }
    // Starts the window and waits for the start-up map scan to finish.
    void startAndScan(app::Form1& form);

    FakeInstall fake;
};

} // namespace quorvell::testing
