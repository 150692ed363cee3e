#include "base/stop_signals.h"

#define WIN32_LEAN_AND_MEAN
#include <atomic>
#include <windows.h>

namespace quorvell {

namespace {

std::atomic<int> caught{0};

// The numbers the C library gives the nearest signals.
constexpr int kInterrupt = 2;  // SIGINT
constexpr int kTerminate = 15; // SIGTERM
constexpr int kHangUp = 1;     // SIGHUP

BOOL WINAPI onConsoleEvent(DWORD event) {
    int signal = 0;
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        signal = kInterrupt;
        break;
    case CTRL_CLOSE_EVENT:
        signal = kHangUp;
        break;
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        signal = kTerminate;
        break;
    default:
        return FALSE;
    }
    int none = 0;
    if (!caught.compare_exchange_strong(none, signal)) {
        return FALSE; // asked twice: the default handler ends the program
    }
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        // The system ends the process when this handler returns: give the
        // run the time to finish its map (the system allows a few seconds).
        while (true) {
            Sleep(100);
        }
    }
    return TRUE;
}

} // namespace

void catchStopSignals() {
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

int stopSignal() noexcept {
    return caught.load();
}

} // namespace quorvell
