#pragma once

// save and delete: a preset written into, or taken out of, the preset file;
// and the slips of presets --check.

#include "cli/commands.h"
#include "presets/preset_slips.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace quorvell::cli {

struct PresetWriteReport {
    Command command = Command::None; // Save or Delete
    std::string preset;
    bool replaced = false; // save: an existing preset of that name was updated
    bool dryRun = false;
    std::filesystem::path file;
    std::vector<std::string> block; // the block's lines written or deleted, UTF-8
};

// textures empty: those switched on in the maps now. A preset of that name
// is updated, else a new one is added. Throws Failure and IoError.
PresetWriteReport saveCommand(const SessionOptions& options, const std::string& name,
                              const std::vector<std::string>& textures, bool dryRun,
                              Console& console);
PresetWriteReport deleteCommand(const SessionOptions& options, const std::string& name,
                                bool dryRun);

// The slips of the preset file; entries are checked against the custom
// textures when the game is found.
std::vector<presets::PresetSlip> presetSlips(const SessionOptions& options, Console& console);

void printText(std::ostream& out, const PresetWriteReport& report);
void printJson(std::ostream& out, const PresetWriteReport& report);
void printSlips(std::ostream& out, const std::vector<presets::PresetSlip>& slips, bool json);

} // namespace quorvell::cli
