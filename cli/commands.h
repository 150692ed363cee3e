#pragma once

// The commands, from their options to their reports. Each throws Failure or
// IoError when it cannot do its work.

#include "cli/console.h"
#include "cli/reports.h"
#include "session/game_lookup.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvell::cli {

struct SessionOptions {
    session::GameOptions game;
    std::optional<std::string> presetFile; // --presets
};

// A game that is not found gives a report all the same (found() false), so
// the player sees where it was looked for.
StatusReport statusCommand(const SessionOptions& options, Console& console);
ListReport listCommand(const SessionOptions& options, Console& console);
PresetsReport presetsCommand(const SessionOptions& options);

// The window's plus (remove false) or minus (remove true) after its scan.
ChangeReport presetCommand(const SessionOptions& options, const std::string& preset, bool remove,
                           bool dryRun, Console& console);

// Sets the named textures on or off in every map; no other texture changes.
ChangeReport switchCommand(const SessionOptions& options, const std::vector<std::string>& names,
                           bool on, bool dryRun, Console& console);

// Switches every missing texture off in every map; nothing else changes.
ChangeReport missingOffCommand(const SessionOptions& options, bool dryRun, Console& console);

} // namespace quorvell::cli
