#pragma once

// A stop asked for from outside while maps are written: INT (Ctrl+C), TERM
// and HUP on POSIX, the console's Ctrl+C, Ctrl+Break and close on Windows.
// The handler only sets a flag; the run asks it between two maps, finishes
// the map it is writing and stops there, so no map is left half done. A
// second such signal ends the program at once, as if none were caught.

namespace quorvell {

// Installs the handlers; call once, early.
void catchStopSignals();

// The signal that asked for a stop (its number), or 0.
int stopSignal() noexcept;

inline bool stopRequested() noexcept {
    return stopSignal() != 0;
}

} // namespace quorvell
