#include "app/screen_fit.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QWidget>
#include <algorithm>

namespace quorvell::app {

QPoint fittedPosition(const QRect& wanted, const QRect& available) {
    const auto fit = [](int at, int size, int start, int room) {
        return std::max(start, std::min(at, start + room - size));
    };
    return {fit(wanted.x(), wanted.width(), available.x(), available.width()),
            fit(wanted.y(), wanted.height(), available.y(), available.height())};
}

void keepOnScreen(QWidget& window) {
    const QRect wanted = window.frameGeometry();
    QScreen* screen = QGuiApplication::screenAt(wanted.topLeft());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QPoint at = fittedPosition(wanted, screen->availableGeometry());
    if (at != wanted.topLeft()) {
        window.move(at);
    }
}

} // namespace quorvell::app
