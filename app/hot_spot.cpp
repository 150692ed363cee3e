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
    if (parent != nullptr) {
        parent->installEventFilter(this);
    }
    followParentCursor();
}

// A hot spot's own cursor would hide the window's hourglass, which tells the
// player that the click will not be taken now. Only a change is made: setting
// a cursor can send the window another CursorChange (the pointer over another
// window of ours), which would bring us back here without end.
void HotSpot::followParentCursor() {
    const QWidget* window = parentWidget();
    const bool own = testAttribute(Qt::WA_SetCursor);
    if (window != nullptr && window->testAttribute(Qt::WA_SetCursor) &&
        window->cursor().shape() == Qt::WaitCursor) {
        if (own) {
            unsetCursor();
        }
    } else if (!own || cursor().shape() != Qt::PointingHandCursor) {
        setCursor(Qt::PointingHandCursor);
    }
}

bool HotSpot::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::CursorChange) {
        followParentCursor();
    }
    return QWidget::eventFilter(watched, event);
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
