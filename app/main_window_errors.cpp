#include "app/main_window.h"
#include "app/message_boxes.h"

#include <iostream>

namespace quorvell::app {

void Form1::runGuarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const IoError& failure) {
        reportFailure(QStringLiteral("Quorvell stopped at this file:\n%1\n\n%2")
                          .arg(QString::fromStdString(failure.path()),
                               QString::fromStdString(failure.reason())));
    } catch (const std::exception& failure) {
        reportFailure(
            QStringLiteral("Quorvell stopped: %1").arg(QString::fromUtf8(failure.what())));
    }
}

// Maps rewritten before the failure stay rewritten, so the check marks are
// taken from the maps again rather than left claiming what they don't hold.
void Form1::reportFailure(const QString& what) {
    forM_working(0);
    unsetCursor();
    showMessage(true, QStringLiteral("Quorvell"), what);
    if (!resyncing_) {
        resyncCheckMarks();
    }
}

void Form1::resyncCheckMarks() {
    resyncing_ = true;
    try {
        forM_working(1);
        List2->clearAllChecks();
        ScanAllMaps();
    } catch (const IoError& failure) {
        forM_working(0);
        showMessage(true, QStringLiteral("Quorvell"),
                    QStringLiteral("The check marks could not be brought back in line with the "
                                   "maps, so they may not show what the maps hold. Quorvell "
                                   "stopped at this file:\n%1\n\n%2")
                        .arg(QString::fromStdString(failure.path()),
                             QString::fromStdString(failure.reason())));
    } catch (const std::exception& failure) {
        forM_working(0);
        showMessage(true, QStringLiteral("Quorvell"),
                    QStringLiteral("The check marks could not be brought back in line with the "
                                   "maps: %1")
                        .arg(QString::fromUtf8(failure.what())));
    }
    resyncing_ = false;
    unsetCursor();
}

void Form1::showMessage(bool error, const QString& title, const QString& text) {
    MessageBoxes::show(isVisible() ? this : nullptr, error ? BoxIcon::Error : BoxIcon::Information,
                       title, text);
}

void Form1::printOut(const std::string& line) const {
    if (setup_.printOut) {
        setup_.printOut(line);
    } else {
        std::cout << line << std::endl;
    }
}

void Form1::printErr(const std::string& line) const {
    if (setup_.printErr) {
        setup_.printErr(line);
    } else {
        std::cerr << line << std::endl;
    }
}

} // namespace quorvell::app
