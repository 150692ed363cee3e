#include "cli/program.h"

#include "base/io_error.h"
#include "base/path_text.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/output.h"
#include "cli/terminal_text.h"
#include "cli/usage.h"
#include "session/messages.h"

#ifndef QUORVELL_VERSION
#error "QUORVELL_VERSION comes from the build"
#endif

namespace quorvell::cli {

namespace {

template <typename Report> void print(Console& console, bool json, const Report& report) {
    if (json) {
        printJson(console.out, report);
    } else {
        printText(console.out, report);
    }
}

void complain(Console& console, const std::string& line) {
    console.err << "quorvell-cli: " << terminalLines(line) << std::endl;
}

// The window's words for a texture whose name is too long to switch on.
void reportNotSwitchedOn(Console& console, const std::vector<std::string>& rowTexts) {
    if (rowTexts.empty()) {
        return;
    }
    std::string names;
    for (const auto& text : rowTexts) {
        names += (names.empty() ? "" : ", ") + text;
    }
    std::string heading(session::notSwitchedOnHeading(rowTexts.size()));
    heading[0] = static_cast<char>(heading[0] - 'A' + 'a');
    complain(console, heading + ": " + names + ". " + std::string(session::kNameTooLong));
}

void warn(Console& console, const std::vector<std::string>& warnings) {
    for (const auto& warning : warnings) {
        complain(console, "warning: " + warning);
    }
}

ExitStatus run(const Invocation& inv, Console& console, const SessionOptions& options) {
    switch (inv.command) {
    case Command::Status: {
        const StatusReport report = statusCommand(options, console);
        print(console, inv.json, report);
        if (!report.game.install.found()) {
            complain(console, notFoundMessage(report.game));
            return ExitStatus::Failed;
        }
        return ExitStatus::Done;
    }
    case Command::List:
        print(console, inv.json, listCommand(options, console));
        return ExitStatus::Done;
    case Command::Presets: {
        const PresetsReport report = presetsCommand(options);
        if (!report.file.found) {
            complain(console, "no presets: " + pathText(report.file.file) + " does not exist");
        }
        print(console, inv.json, report);
        return ExitStatus::Done;
    }
    case Command::Apply:
    case Command::Remove: {
        const ChangeReport report = presetCommand(
            options, presetOperand(inv), inv.command == Command::Remove, inv.dryRun, console);
        print(console, inv.json, report);
        reportNotSwitchedOn(console, report.batch.notSwitchedOn);
        warn(console, report.batch.warnings);
        return ExitStatus::Done;
    }
    case Command::Off:
        if (inv.missing) {
            print(console, inv.json, missingOffCommand(options, inv.dryRun, console));
            return ExitStatus::Done;
        }
        [[fallthrough]];
    case Command::On: {
        const ChangeReport report =
            switchCommand(options, inv.operands, inv.command == Command::On, inv.dryRun, console);
        print(console, inv.json, report);
        reportNotSwitchedOn(console, report.batch.notSwitchedOn);
        warn(console, report.batch.warnings);
        for (const UnwritableName& name : report.unwritable) {
            complain(console, "could not switch on " + name.name +
                                  ": the name cannot be written into a map; " + name.reason);
        }
        return report.unwritable.empty() ? ExitStatus::Done : ExitStatus::Failed;
    }
    case Command::None:
        break;
    }
    return ExitStatus::Usage;
}

} // namespace

int runCli(const std::vector<std::string>& args, Console& console,
           const std::filesystem::path& workingDir, const discovery::Environment& environment) {
    ExitStatus status = ExitStatus::Done;
    try {
        const Invocation inv = parseArguments(args);
        if (inv.version) {
            console.out << "quorvell-cli " << QUORVELL_VERSION << std::endl;
            return 0;
        }
        if (inv.help) {
            console.out << helpText(inv.command) << std::flush;
            return 0;
        }
        SessionOptions options;
        options.game = {inv.game, inv.prefix, environment, workingDir};
        options.presetFile = inv.presets;
        status = run(inv, console, options);
    } catch (const Failure& failure) {
        complain(console, failure.what());
        if (failure.status() == ExitStatus::Usage) {
            console.err << usageHint() << std::flush;
        }
        status = failure.status();
    } catch (const IoError& failure) {
        complain(console, failure.path() + ": " + failure.reason());
        status = ExitStatus::Failed;
    } catch (const std::exception& failure) {
        complain(console, failure.what());
        status = ExitStatus::Failed;
    }
    return static_cast<int>(status);
}

} // namespace quorvell::cli
