#include "app/app_main.h"

#include "app/argument_text.h"
#include "app/main_window.h"
#include "app/parent_console.h"
#include "resources/resources.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quorvell::app {

namespace {

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

} // namespace

int runQuorvell(int argc, char** argv) {
    Form1Setup setup;
    setup.argumentText = processArgumentText(argc, argv);
    setup.workingDir = workingDirectory();
    if (!setup.argumentText.empty()) {
        attachParentConsole();
    }
    setup.headless = !setup.argumentText.empty() && noDisplay();
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

    Form1 form(std::move(setup));
    QObject::connect(&form, &Form1::programEnded, &application,
                     [](int status) { QCoreApplication::exit(status); });
    form.start();
    return QApplication::exec();
}

} // namespace quorvell::app
