#include "app/app_main.h"

#include "app/argument_text.h"
#include "app/game_services.h"
#include "app/main_window.h"
#include "app/parent_console.h"
#include "base/stop_signals.h"
#include "resources/resources.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace quorvell::app {

namespace {

constexpr std::string_view kUsage =
    "Usage: quorvell [<preset> [silent] [disable]]\n"
    "\n"
    "Without arguments Quorvell opens its window.\n"
    "With a preset name it applies that preset from Presets.ini to the game's maps,\n"
    "showing only a small progress banner, and ends:\n"
    "  <preset>   the preset's name, matched without regard to case; it may hold spaces\n"
    "  silent     no message box (the outcome still goes to standard output or error)\n"
    "  disable    remove the preset instead of applying it\n"
    "\n"
    "Exit status: 0 the preset was processed; 1 an error (a mistyped command line,\n"
    "a map that could not be written, the game not found); 2 no preset has that name.\n"
    "\n"
    "Presets.ini is read from the working directory, else from the folder that holds\n"
    "Quorvell. The game is found through its registry entry in Windows or in a Wine,\n"
    "Proton, Heroic, Lutris or Bottles prefix, or in Steam's game folder; set\n"
    "QUORVELL_GAME_ROOT to the game folder for any other install.\n"
    "\n"
    "  quorvell --help, -h or /?   this text\n"
    "  quorvell --version          the version\n";

// Linux without any display: command-line mode can still do its work, with
// lines on the console instead of windows.
bool noDisplay() {
#ifdef _WIN32
    return false;
#else
    const auto unset = [](const char* name) {
        const char* value = std::getenv(name);
        return value == nullptr || *value == '\0';
    };
    return unset("DISPLAY") && unset("WAYLAND_DISPLAY");
#endif
}

// A platform named outright (offscreen, vnc, ...) needs no display of the
// usual kind.
bool platformChosen() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Without a display the console carries the outcome lines; the offscreen
// platform's own chatter would only bury them.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
    }
}

std::filesystem::path workingDirectory() {
    std::error_code error;
    auto dir = std::filesystem::current_path(error);
    return error ? std::filesystem::path(".") : dir;
}

std::filesystem::path programDirectory() {
    const QString dir = QCoreApplication::applicationDirPath();
    const auto utf8 = dir.toUtf8();
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

void print(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

} // namespace

int runQuorvell(int argc, char** argv) {
    Form1Setup setup;
    setup.argumentText = processArgumentText(argc, argv);
    setup.workingDir = workingDirectory();
    if (!setup.argumentText.empty()) {
        attachParentConsole();
    }
    // These texts are what any program answers; no preset can be named so.
    const std::string& text = setup.argumentText;
    if (text == "--help" || text == "-h" || text == "/?") {
        print(stdout, kUsage);
        return 0;
    }
    if (text == "--version") {
        print(stdout, "Quorvell " QUORVELL_VERSION "\n");
        return 0;
    }
    const bool displayless = noDisplay() && !platformChosen();
    if (text.empty() && displayless) {
        // Qt would abort with a message about platform plugins; say it plainly.
        print(stderr, "Quorvell needs a display to open its window (neither DISPLAY nor "
                      "WAYLAND_DISPLAY is set); to apply a preset without one, name it: "
                      "quorvell <preset> silent\n");
        return 1;
    }
    if (!text.empty()) {
        // Command-line mode: a stop asked for finishes the map being written.
        catchStopSignals();
    }
    setup.headless = !text.empty() && displayless;
    if (setup.headless) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtMessages);
    }

    QApplication application(argc, argv);
    // The desktop entry's id (set in cmake/Packaging.cmake, which names the
    // installed desktop files after it): task bars match the window to the
    // entry's name and icon through it.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVELL_APP_ID));
    // The program decides itself when it ends: command-line mode hides and
    // shows its windows, and a close request may be held.
    QApplication::setQuitOnLastWindowClosed(false);
    resources::init();

    setup.services =
        std::make_shared<GameServices>(discovery::Environment::fromProcess(), programDirectory());
    Form1 form(std::move(setup));
    QObject::connect(&form, &Form1::programEnded, &application,
                     [](int status) { QCoreApplication::exit(status); });
    form.start();
    return QApplication::exec();
}

} // namespace quorvell::app
