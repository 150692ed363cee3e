#include "app/event_yield.h"

#include <QtCore/QCoreApplication>

namespace quorvell::app {

EventYield::EventYield(std::chrono::milliseconds interval) : interval_(interval) {
    since_.start();
}

void EventYield::perFile() {
    service();
}

void EventYield::throttled() {
    if (since_.elapsed() >= interval_.count()) {
        service();
    }
}

void EventYield::service() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    since_.restart();
}

} // namespace quorvell::app
