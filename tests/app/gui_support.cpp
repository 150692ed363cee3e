#include "tests/app/gui_support.h"

#include <QtCore/QSettings>
#include <QtGui/QHelpEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QToolTip>

namespace quorvell::testing {

namespace fs = std::filesystem;

void ensureApplication() {
    if (QApplication::instance() != nullptr) {
        return;
    }
    static int argc = 1;
    static char name[] = "quorvell_gui_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: torn down at exit, after the test's pointing devices
    // are gone, the application would crash the test program on its way out.
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
    QApplication::setQuitOnLastWindowClosed(false);
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (done()) {
            return true;
        }
        QTest::qWait(10);
    }
    return done();
}

RecordingServices::RecordingServices(const FakeInstall& fake, bool gameFound, fs::path programDir)
    : app::GameServices(discovery::Environment{}, std::move(programDir)), fake_(fake),
      gameFound_(gameFound) {}

std::optional<presets::PresetFile> RecordingServices::importPresets(const fs::path& dir) {
    calls.push_back("presets");
    return app::GameServices::importPresets(dir);
}

discovery::GameInstall RecordingServices::locateGameRoot() {
    calls.push_back("root");
    discovery::GameInstall game = fake_.install();
    if (!gameFound_) {
        game.root.clear();
    }
    return game;
}

std::vector<std::string> RecordingServices::loadOriginalCatalogue() {
    calls.push_back("catalogue");
    return app::GameServices::loadOriginalCatalogue();
}

discovery::CustomTextureScan
RecordingServices::scanCustomTextures(const discovery::GameInstall& game,
                                      const std::vector<std::string>& l4) {
    calls.push_back("textures");
    return app::GameServices::scanCustomTextures(game, l4);
}

discovery::MapListing RecordingServices::listMapFiles(const discovery::GameInstall& game) {
    calls.push_back("maps");
    return app::GameServices::listMapFiles(game);
}

std::unique_ptr<app::Form1> makeForm(const FakeInstall& fake, const std::string& argumentText,
                                     std::shared_ptr<RecordingServices> services, Console* console,
                                     bool headless, std::chrono::milliseconds lockWait) {
    app::Form1Setup setup;
    setup.mapsLockTimeout = lockWait;
    setup.services = services ? services : std::make_shared<RecordingServices>(fake);
    setup.workingDir = fake.workingDir();
    setup.argumentText = argumentText;
    setup.headless = headless;
    setup.printOut = [console](const std::string& line) {
        if (console != nullptr) {
            console->out.push_back(line);
        }
    };
    setup.printErr = [console](const std::string& line) {
        if (console != nullptr) {
            console->err.push_back(line);
        }
    };
    return std::make_unique<app::Form1>(std::move(setup));
}

int rowOf(const app::Form1& form, const std::string& text) {
    for (int row = 0; row < form.List2->count(); ++row) {
        if (form.List2->rowText(row) == text) {
            return row;
        }
    }
    return -1;
}

void clickCheckBox(app::Form1& form, int row) {
    form.List2->scrollToItem(form.List2->item(row));
    const QPoint at = form.List2->checkIndicatorRect(row).center();
    QTest::mouseClick(form.List2->viewport(), Qt::LeftButton, {}, at);
}

QString rowTooltip(app::Form1& form, int row) {
    const QRect rect = form.List2->visualItemRect(form.List2->item(row));
    QHelpEvent help(QEvent::ToolTip, rect.center(),
                    form.List2->viewport()->mapToGlobal(rect.center()));
    QApplication::sendEvent(form.List2->viewport(), &help);
    return QToolTip::text();
}

void GuiTest::SetUp() {
    ensureApplication();
    // The per-user Presets.ini is the fake home's, never the tester's own.
    const QString config = QString::fromStdString((fake.homeDir() / ".config").string());
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    // The journal of the runs goes with the test's install, not the user's.
    qputenv("XDG_STATE_HOME", (fake.root() / "state").string().c_str());
    app::MessageBoxes::setRecording(true);
    app::MessageBoxes::clearRecorded();
    app::MessageBoxes::setAnswerHook({});
}

void GuiTest::TearDown() {
    app::MessageBoxes::setAnswerHook({});
    app::MessageBoxes::setOfferHook({});
    app::MessageBoxes::clearRecorded();
}

void GuiTest::startAndScan(app::Form1& form) {
    form.start();
    ASSERT_TRUE(waitUntil([&] { return !form.Timer1->isActive() && !form.working(); }));
}

} // namespace quorvell::testing
