#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::presets {

// The argument text read as command-line mode reads it.
struct CommandLine {
    bool silent = false;  // "silent" anywhere in the lower-cased text
    bool disable = false; // "disable" anywhere in the lower-cased text
    // The cut working text; nullopt when a cut count comes out as -1 (a
    // keyword at the very start), which takes the error path.
    std::optional<std::string> workingText;
};
CommandLine parseCommandLine(std::string_view argumentText);

// A result box of command-line mode.
struct ResultMessage {
    std::string title;
    std::string text;
};
// The box shown after a preset was processed; presetName as loaded.
ResultMessage resultMessage(std::string_view argumentText, bool disable,
                            std::string_view presetName);

inline constexpr std::string_view kErrorTitle = "Error!";
inline constexpr std::string_view kErrorText = "Couldn't process presets, please check typing.";

// The argument text from a raw Windows command line (GetCommandLineW, as
// UTF-8): the text after the program's own name, quoted or not, with its
// spaces and quotes untouched.
std::string argumentTextFromRawCommandLine(std::string_view raw);

// The argument text from separate arguments (Linux): argv[1..] joined by
// single spaces.
std::string argumentTextFromArgs(const std::vector<std::string>& argsAfterProgram);

} // namespace quorvell::presets
