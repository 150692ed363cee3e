// Puts the real windows on screen in the states the docs show, for a screen
// capture under Xvfb: "form1" (after the map scan), "form3" (help over the
// window) or "form2" (the banner part-way). Reads the install the way the
// program does (WINEPREFIX, Presets.ini in the current folder); stays up for
// the given number of seconds.

#include "app/main_window.h"
#include "resources/resources.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "form1";
    const int seconds = argc > 2 ? std::stoi(argv[2]) : 4;
    QApplication application(argc, argv);
    quorvell::resources::init();

    quorvell::app::Form1Setup setup;
    setup.workingDir = std::filesystem::current_path();
    quorvell::app::Form1 form(std::move(setup));
    form.start();
    QTimer::singleShot(900, &form, [&] {
        if (mode == "form3") {
            form.ShowHelpForm();
        } else if (mode == "form2") {
            form.hide();
            form.form2()->Shape1->setWidthTwips(6156.25f);
            form.form2()->showCentred();
        }
    });
    QTimer::singleShot(seconds * 1000, &application, &QApplication::quit);
    return QApplication::exec();
}
