#include "app/hot_spot.h"

#include <QtGui/QMouseEvent>

namespace quorvell::app {

HotSpot::HotSpot(const QString& toolTip, QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    if (!toolTip.isEmpty()) {
        setToolTip(toolTip);
    }
}

// The press is the hot spot's own: it must not reach the window, which would
// start moving.
void HotSpot::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void HotSpot::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void HotSpot::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved();
}

} // namespace quorvell::app
