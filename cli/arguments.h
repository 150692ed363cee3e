#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::cli {

enum class Command { None, Status, List, Presets, Apply, Remove, On, Off };

// The command line, read but not acted on.
struct Invocation {
    Command command = Command::None;
    std::vector<std::string> operands;
    bool help = false;
    bool version = false;
    bool dryRun = false;
    bool json = false;
    bool missing = false;               // off --missing: every missing texture
    std::optional<std::string> game;    // --game DIR
    std::optional<std::string> prefix;  // --prefix DIR
    std::optional<std::string> presets; // --presets FILE
};

// Reads the arguments after the program's name (UTF-8). Throws Failure with
// ExitStatus::Usage on anything it cannot make sense of.
Invocation parseArguments(const std::vector<std::string>& args);

std::string_view commandName(Command command);
std::optional<Command> commandNamed(std::string_view name);

// The commands that write maps, which alone take --dry-run.
bool writesMaps(Command command);

// The preset name of apply and remove: the operands joined by single spaces,
// so a name with a space may be typed without quotes, as the window's own
// command line allows.
std::string presetOperand(const Invocation& invocation);

} // namespace quorvell::cli
