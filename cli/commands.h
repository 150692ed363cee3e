#pragma once

// The commands, from their options to their reports. Each throws Failure or
// IoError when it cannot do its work.

#include "cli/console.h"
#include "cli/reports.h"
#include "session/game_lookup.h"
#include "session/install.h"
#include "session/missing_textures.h"
#include "session/scan.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvell::cli {

struct SessionOptions {
    session::GameOptions game;
    std::optional<std::string> presetFile; // --presets
};

// --presets FILE, which must exist, or Presets.ini where the window reads it.
session::Presets loadPresets(const SessionOptions& options);
// The maps lock, saying on standard error while it waits.
session::MapsLocker locker(const session::Install& install, Console& console);
// The window's scan of every map, its progress on a terminal; missing, if
// given, gathers the missing textures in the same pass.
session::ScanResult scan(const session::Install& install, session::MapsLocker& maps,
                         Console& console, session::MissingTextureScan* missing = nullptr);

// A game that is not found gives a report all the same (found() false), so
// the player sees where it was looked for.
StatusReport statusCommand(const SessionOptions& options, Console& console);
ListReport listCommand(const SessionOptions& options, Console& console);
PresetsReport presetsCommand(const SessionOptions& options);

// The window's plus (remove false) or minus (remove true) after its scan.
ChangeReport presetCommand(const SessionOptions& options, const std::string& preset, bool remove,
                           bool dryRun, Console& console);

// The texture's size, format and folders from its headers; with png, its
// picture (up to 256 px) written there.
ShowReport showCommand(const SessionOptions& options, const std::string& name,
                       const std::optional<std::filesystem::path>& png, Console& console);

// Sets the named textures on or off in every map; no other texture changes.
ChangeReport switchCommand(const SessionOptions& options, const std::vector<std::string>& names,
                           bool on, bool dryRun, Console& console);

// Switches every missing texture off in every map; nothing else changes.
ChangeReport missingOffCommand(const SessionOptions& options, bool dryRun, Console& console);

} // namespace quorvell::cli
