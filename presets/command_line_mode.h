#pragma once

#include "presets/command_line.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::presets {

// Exit status of command-line mode.
enum class CommandLineOutcome : int {
    Processed = 0, // every matching preset was processed
    Failed = 1,    // the error path was taken
    NoMatch = 2,   // no preset name matched the working text
};

// What runCommandLine needs from the program around it. Each hook may throw;
// anything thrown takes the error path.
struct CommandLineHooks {
    std::function<void()> showBanner;     // Form2
    std::function<void()> scanAllMaps;    // ScanAllMaps
    std::function<void()> checkGameFound; // throws when the game or its maps are missing
    std::function<std::vector<std::string>()> presetNames; // Combo1 items
    // applies (disable false) or removes the named preset
    std::function<void(const std::string& name, bool disable)> enablePreset;
    // A box with the information icon (error=false) or the error icon.
    std::function<void(const std::string& title, const std::string& text, bool error)> showMessage;
    std::function<void(const std::string& line)> printOut; // one line to standard output
    std::function<void(const std::string& line)> printErr; // one line to standard error
    // The error box with the line standard error got as its detail; when
    // unset, showMessage shows the box without it.
    std::function<void(const std::string& title, const std::string& text,
                       const std::string& detail)>
        showError = {};
    // Set when no Presets.ini was found: where it was looked for, which is
    // then why no preset matches.
    std::string noPresetFile = {};
    // Set when Presets.ini exists but could not be read: "<file>: <reason>".
    // The run fails with it, as no preset in it can be trusted to match.
    std::string presetFileProblem = {};
};

// Command-line mode from the argument text to its outcome.
CommandLineOutcome runCommandLine(std::string_view argumentText, const CommandLineHooks& hooks);

} // namespace quorvell::presets
