#include "base/stop_signals.h"

#include <csignal>
#include <initializer_list>
#include <signal.h>

namespace quorvell {

namespace {

volatile std::sig_atomic_t caught = 0;

extern "C" void onStopSignal(int signal) {
    if (caught != 0) {
        // Asked twice: the default action, now.
        ::signal(signal, SIG_DFL);
        ::raise(signal);
        return;
    }
    caught = signal;
}

} // namespace

void catchStopSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Restarted system calls: a write in progress finishes.
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

int stopSignal() noexcept {
    return caught;
}

} // namespace quorvell
