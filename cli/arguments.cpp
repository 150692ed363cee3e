// Parsed by hand: one command, a handful of long options and operands. A
// parsing library would still leave the per-command rules, the help texts
// and the exit status 64 to us, and would be one more package for the
// Windows cross build to find.

#include "cli/arguments.h"

#include "cli/exit_status.h"

#include <array>
#include <utility>

namespace quorvell::cli {

namespace {

constexpr std::array<std::pair<std::string_view, Command>, 7> kCommands = {{
    {"status", Command::Status},
    {"list", Command::List},
    {"presets", Command::Presets},
    {"apply", Command::Apply},
    {"remove", Command::Remove},
    {"on", Command::On},
    {"off", Command::Off},
}};

[[noreturn]] void usageError(const std::string& message) {
    throw Failure(ExitStatus::Usage, message);
}

// The value of an option that takes one: "--game=DIR" or "--game DIR".
std::string optionValue(std::string_view option, const std::optional<std::string_view>& inline_,
                        const std::vector<std::string>& args, std::size_t& i) {
    std::string value;
    if (inline_) {
        value = std::string(*inline_);
    } else if (i + 1 < args.size()) {
        value = args[++i];
    } else {
        usageError(std::string(option) + " needs a value");
    }
    if (value.empty()) {
        usageError(std::string(option) + " needs a value that is not empty");
    }
    return value;
}

void checkOperands(const Invocation& inv) {
    const std::string name(commandName(inv.command));
    switch (inv.command) {
    case Command::Status:
    case Command::List:
    case Command::Presets:
        if (!inv.operands.empty()) {
            usageError(name + " takes no names, but got \"" + inv.operands.front() + "\"");
        }
        break;
    case Command::Apply:
    case Command::Remove:
        if (inv.operands.empty()) {
            usageError(name + " needs the name of a preset");
        }
        break;
    case Command::On:
    case Command::Off:
        if (inv.missing && !inv.operands.empty()) {
            usageError("off --missing takes no names, but got \"" + inv.operands.front() + "\"");
        }
        if (inv.operands.empty() && !inv.missing) {
            usageError(name + " needs the name of at least one texture");
        }
        break;
    case Command::None:
        break;
    }
    if (inv.missing && inv.command != Command::Off) {
        usageError("--missing goes only with off");
    }
    if (inv.dryRun && !writesMaps(inv.command)) {
        usageError("--dry-run goes only with apply, remove, on and off");
    }
#ifdef _WIN32
    if (inv.prefix) {
        usageError("--prefix names a Wine prefix; on Windows the game is found in the registry");
    }
#endif
}

} // namespace

std::string_view commandName(Command command) {
    for (const auto& [name, value] : kCommands) {
        if (value == command) {
            return name;
        }
    }
    return {};
}

std::optional<Command> commandNamed(std::string_view name) {
    for (const auto& [text, value] : kCommands) {
        if (text == name) {
            return value;
        }
    }
    return std::nullopt;
}

bool writesMaps(Command command) {
    return command == Command::Apply || command == Command::Remove || command == Command::On ||
           command == Command::Off;
}

std::string presetOperand(const Invocation& invocation) {
    std::string name;
    for (const std::string& word : invocation.operands) {
        if (!name.empty()) {
            name += ' ';
        }
        name += word;
    }
    return name;
}

Invocation parseArguments(const std::vector<std::string>& args) {
    Invocation inv;
    bool optionsEnded = false;
    bool helpCommand = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            std::string_view option = arg;
            std::optional<std::string_view> inlineValue;
            if (const auto eq = option.find('='); eq != std::string_view::npos) {
                inlineValue = option.substr(eq + 1);
                option = option.substr(0, eq);
            }
            const auto flag = [&](bool& target) {
                if (inlineValue) {
                    usageError(std::string(option) + " takes no value");
                }
                target = true;
            };
            if (option == "--help" || option == "-h") {
                flag(inv.help);
            } else if (option == "--version") {
                flag(inv.version);
            } else if (option == "--dry-run") {
                flag(inv.dryRun);
            } else if (option == "--json") {
                flag(inv.json);
            } else if (option == "--missing") {
                flag(inv.missing);
            } else if (option == "--game") {
                inv.game = optionValue(option, inlineValue, args, i);
            } else if (option == "--prefix") {
                inv.prefix = optionValue(option, inlineValue, args, i);
            } else if (option == "--presets") {
                inv.presets = optionValue(option, inlineValue, args, i);
            } else {
                usageError("unknown option " + std::string(option));
            }
            continue;
        }
        if (inv.command == Command::None && !helpCommand) {
            if (arg == "help") {
                // "help apply" is "apply --help".
                helpCommand = true;
                inv.help = true;
                continue;
            }
            const auto command = commandNamed(arg);
            if (!command) {
                usageError("unknown command \"" + arg + "\"");
            }
            inv.command = *command;
            continue;
        }
        if (helpCommand && inv.command == Command::None) {
            const auto command = commandNamed(arg);
            if (!command) {
                usageError("no help on \"" + arg + "\": there is no such command");
            }
            inv.command = *command;
            continue;
        }
        inv.operands.push_back(arg);
    }
    if (inv.help || inv.version) {
        return inv; // help and the version need nothing else to be right
    }
    if (inv.command == Command::None) {
        usageError("no command given");
    }
    checkOperands(inv);
    return inv;
}

} // namespace quorvell::cli
