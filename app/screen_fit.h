#pragma once

// The window opens where it was laid out to open, unless that would put part
// of it off the screen's available area (a small screen, or one at 200 %
// scale, with its panels): then at the nearest place where it fits.

#include <QtCore/QPoint>
#include <QtCore/QRect>

class QWidget;

namespace quorvell::app {

// The nearest top-left to wanted's that keeps the whole rectangle inside
// available; available's top-left when the rectangle is larger than it.
QPoint fittedPosition(const QRect& wanted, const QRect& available);

// Moves the window so it fits the available area of the screen that holds its
// top-left corner (the primary screen when none does).
void keepOnScreen(QWidget& window);

} // namespace quorvell::app
