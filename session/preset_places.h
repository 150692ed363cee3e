#pragma once

// Where Presets.ini is looked for and where a preset made in the program is
// written.

#include "session/install.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvell::session {

// The per-user folder: $XDG_CONFIG_HOME/quorvell (~/.config/quorvell when
// unset) on Linux, %APPDATA%\Quorvell on Windows; empty when neither the
// variable nor a home folder is known.
std::filesystem::path userPresetFolder();

// The places read in turn: the working folder, the program's folder, the
// per-user folder. When none holds the file, findPresets names the per-user
// file as the one a save writes.
std::vector<std::filesystem::path> presetPlaces(const std::filesystem::path& workingDir,
                                                const std::filesystem::path& programDir);

// A preset written into presets.file (made in the per-user folder when no
// file was found), the file read again first under its lock. replace false:
// a new preset, whose name must be free; true: the first preset of that name
// becomes entries. Returns the file as written. Throws IoError and
// presets::PresetEditError.
Presets savePreset(const Presets& presets, const std::string& name,
                   const std::vector<std::string>& entries, bool replace);
Presets deletePreset(const Presets& presets, const std::string& name);

} // namespace quorvell::session
