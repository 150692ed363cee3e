#pragma once

// The words every front end uses for the journal's runs.

#include "journal/journal.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvell::journal {

// "applied walls" -> "applying walls", "switched off X" -> "switching off X".
std::string ongoingWhat(const std::string& what);

// "ended", "cut short", "undone", "stopped (no end recorded)".
std::string stateText(const RunEntry& run);

// The run's time in the local time zone, "2026-12-09 11:04:05".
std::string timeText(std::int64_t secondsSince1970);

// "The last run (applying walls) stopped after 12 of 205 maps".
std::string cutShortText(const RunEntry& run, std::size_t mapsReached);
// What rolls such a run back, wherever it is reported.
inline constexpr const char* kRollBackText = "quorvell-cli undo rolls it back";

// One run as a line of its history: "2026-12-09 11:04:05  window  applied
// walls  205 maps, 388 references  ended".
std::string historyLine(const RunEntry& run);

} // namespace quorvell::journal
