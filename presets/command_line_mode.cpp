#include "presets/command_line_mode.h"

#include "base/text_case.h"

#include <exception>

namespace quorvell::presets {

namespace {

constexpr std::string_view kFailurePrefix = "Couldn't process presets: ";

void call(const std::function<void()>& hook) {
    if (hook) {
        hook();
    }
}

void printLine(const std::function<void(const std::string&)>& hook, const std::string& line) {
    if (hook) {
        hook(line);
    }
}

// The one way out on failure: the reason on standard error always, the box
// only when not silent. The box must not turn a failure into a crash.
CommandLineOutcome fail(const CommandLineHooks& hooks, bool silent, CommandLineOutcome outcome,
                        const std::string& reason) {
    try {
        const std::string line = std::string(kFailurePrefix) + reason;
        printLine(hooks.printErr, line);
        if (!silent && hooks.showError) {
            hooks.showError(std::string(kErrorTitle), std::string(kErrorText), line);
        } else if (!silent && hooks.showMessage) {
            hooks.showMessage(std::string(kErrorTitle), std::string(kErrorText), true);
        }
    } catch (...) {
        // Nothing more can be reported; the outcome still tells the caller.
    }
    return outcome;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) {
        if (!text.empty()) {
            text += ", ";
        }
        text += name;
    }
    return text;
}

} // namespace

CommandLineOutcome runCommandLine(std::string_view argumentText, const CommandLineHooks& hooks) {
    const CommandLine line = parseCommandLine(argumentText);
    if (!line.workingText) {
        return fail(hooks, line.silent, CommandLineOutcome::Failed,
                    "\"silent\" or \"disable\" stands before the preset name");
    }
    const std::string& working = *line.workingText;
    if (!hooks.presetFileProblem.empty()) {
        return fail(hooks, line.silent, CommandLineOutcome::Failed,
                    "could not read " + hooks.presetFileProblem);
    }

    std::vector<std::string> processed;
    std::string title;
    try {
        call(hooks.showBanner);
        // Checked before the scan: applying a preset to no maps is no success.
        call(hooks.checkGameFound);
        // The scan must come first: a preset run brings every texture to its
        // check mark, so stale marks would switch off textures that are on.
        hooks.scanAllMaps();
        for (const auto& name : hooks.presetNames()) {
            if (text_case::lowerCommandLine(name) != working) {
                continue;
            }
            hooks.enablePreset(name, line.disable);
            processed.push_back(name);
            const ResultMessage message = resultMessage(argumentText, line.disable, name);
            title = message.title;
            if (!line.silent && hooks.showMessage) {
                hooks.showMessage(message.title, message.text, false);
            }
        }
    } catch (const std::exception& e) {
        return fail(hooks, line.silent, CommandLineOutcome::Failed, e.what());
    } catch (...) {
        return fail(hooks, line.silent, CommandLineOutcome::Failed, "unknown failure");
    }

    if (processed.empty()) {
        // Nothing the user asked for was done, so this is no success either.
        std::string reason = "no preset name matches \"" + working + "\"";
        if (!hooks.noPresetFile.empty()) {
            reason += ": " + hooks.noPresetFile;
        }
        return fail(hooks, line.silent, CommandLineOutcome::NoMatch, reason);
    }
    try {
        printLine(hooks.printOut, title + ": " + joined(processed));
    } catch (...) {
        // Standard output gone (a closed pipe): the work is done all the same.
    }
    return CommandLineOutcome::Processed;
}

} // namespace quorvell::presets
