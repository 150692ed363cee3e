#pragma once

#include "bench/synthetic_install.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace quorvell::app {
class Form1;
}

namespace quorvell::bench {

// Given as the first argument, the benchmark program starts the window on
// the install named by its environment and ends as soon as the window has
// been painted once: the start-up case, one process per repetition.
inline constexpr const char* kStartupProbeFlag = "--startup-probe";
int startupProbe(int argc, char** argv);

// Start-up to the window shown (through startupProbe in a process of its
// own, self being this program), the longest wait of the event loop during
// a scan, a toggle and a preset run of the window in this process, and where
// the window's scan spends its processor time: the engine's scan of the same
// maps, and floorCpu (the floor's processor time, in seconds).
// The window on the game (this process, Qt's offscreen platform), started
// and done with its start-up scan.
std::unique_ptr<app::Form1> startedWindow(const SyntheticGame& game);

void windowCases(const SyntheticGame& game, const std::filesystem::path& self, int repetitions,
                 const std::function<double()>& floorCpu);

} // namespace quorvell::bench
