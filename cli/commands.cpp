#include "cli/commands.h"

#include "base/path_text.h"
#include "cli/exit_status.h"
#include "patching/maps_lock.h"
#include "presets/preset_marks.h"

#include <algorithm>

namespace quorvell::cli {

namespace {

// Every scan and every write holds the maps folder, so the window, its
// command line and this program never work on the same maps at once.
patching::LockWaitHooks waitHooks(Console& console) {
    patching::LockWaitHooks hooks;
    hooks.waiting = [&console] {
        console.err << "waiting for another Quorvell\u2026" << std::endl;
    };
    return hooks;
}

PresetFileReport presetFileReport(const Presets& presets) {
    return {presets.file, presets.found, presets.content.names.size()};
}

std::string presetFileText(const Presets& presets) {
    return pathText(presets.file);
}

// A texture folder that cannot be listed leaves its textures out; the rest
// still works, as in the window, but the player is told.
Install openAndWarn(const SessionOptions& options, Console& console) {
    Install install = openInstall(options);
    for (const IoError& problem : install.problems) {
        console.err << "quorvell-cli: could not list " << problem.path() << ": " << problem.reason()
                    << std::endl;
    }
    return install;
}

} // namespace

StatusReport statusCommand(const SessionOptions& options, Console& console) {
    StatusReport report;
    report.presets = presetFileReport(loadPresets(options));
    FoundGame game = findGame(options.game);
    if (!game.install.found()) {
        report.game = std::move(game);
        return report;
    }
    Install install = openInstall(std::move(game));
    Progress progress(console.err, console.errIsTerminal);
    const patching::MapsFolderLock lock(install.mapsFolder, waitHooks(console));
    const ScanResult scan = scanMaps(install, progress);
    report.mapsFolder = install.mapsFolder;
    report.maps = install.maps.size();
    report.textures = install.rows.size();
    report.texturesOn =
        static_cast<std::size_t>(std::count(scan.marks.begin(), scan.marks.end(), true));
    for (const IoError& problem : install.problems) {
        report.problems.push_back(problem.path() + ": " + problem.reason());
    }
    report.game = std::move(install.game);
    return report;
}

ListReport listCommand(const SessionOptions& options, Console& console) {
    const Install install = openAndWarn(options, console);
    Progress progress(console.err, console.errIsTerminal);
    const patching::MapsFolderLock lock(install.mapsFolder, waitHooks(console));
    const ScanResult scan = scanMaps(install, progress);
    ListReport report;
    report.maps = install.maps.size();
    for (std::size_t row = 0; row < install.rows.size(); ++row) {
        report.textures.push_back({install.rows[row].text, std::string(install.folders[row]),
                                   scan.marks[row], scan.mapsOn[row], scan.mapsUsing[row]});
    }
    return report;
}

PresetsReport presetsCommand(const SessionOptions& options) {
    const Presets presets = loadPresets(options);
    PresetsReport report;
    report.file = presetFileReport(presets);
    const auto& lines = presets.content.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = presets::presetNameOf(lines[i]);
        if (!name) {
            continue;
        }
        // The block as applying it reads it: up to the first "}", name lines
        // included, so a block that lacks its "}" shows what it swallows.
        PresetBlock block{std::string(*name), {}, false};
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            if (lines[j] == "}") {
                block.closed = true;
                break;
            }
            block.entries.emplace_back(lines[j]);
        }
        report.presets.push_back(std::move(block));
    }
    return report;
}

ChangeReport presetCommand(const SessionOptions& options, const std::string& preset, bool remove,
                           bool dryRun, Console& console) {
    const Presets presets = loadPresets(options);
    const auto& names = presets.content.names;
    if (std::find(names.begin(), names.end(), preset) == names.end()) {
        throw Failure(ExitStatus::NothingMatched,
                      "no preset is named \"" + preset + "\" in " + presetFileText(presets) +
                          (presets.found ? "" : " (there is no such file)"));
    }
    ChangeReport report;
    report.command = remove ? Command::Remove : Command::Apply;
    report.preset = preset;
    report.dryRun = dryRun;

    Install install = openAndWarn(options, console);
    report.maps = install.maps.size();
    Progress progress(console.err, console.errIsTerminal);
    const patching::MapsFolderLock lock(install.mapsFolder, waitHooks(console));
    const ScanResult scan = scanMaps(install, progress);
    const presets::PhaseOneResult marked =
        presets::markPreset(presets.content.lines, preset, remove, install.texts(), scan.marks);
    switch (marked.status) {
    case presets::PhaseOneStatus::StoppedBySpecialEntry:
        report.stoppedBySpecialEntry = true;
        return report;
    case presets::PhaseOneStatus::UnterminatedBlock:
        throw IoError(presetFileText(presets),
                      "the block of preset \"" + preset + "\" has no closing \"}\"");
    case presets::PhaseOneStatus::Proceed:
        break;
    }
    for (std::size_t row = 0; row < install.rows.size(); ++row) {
        install.rows[row].checked = marked.marks[row];
    }
    report.batch = runBatch(install, patching::BatchIndex(install.rows), dryRun, progress);
    return report;
}

ChangeReport switchCommand(const SessionOptions& options, const std::vector<std::string>& names,
                           bool on, bool dryRun, Console& console) {
    const Install install = openAndWarn(options, console);
    // Only the named rows go into the batch: with no row of their own, the
    // other textures' references are left exactly as they are.
    patching::TextureRows named;
    std::vector<std::string> unknown;
    for (const std::string& name : names) {
        bool found = false;
        for (const auto& row : install.rows) {
            if (row.text == name) {
                named.push_back({row.text, on});
                found = true;
            }
        }
        if (!found && std::find(unknown.begin(), unknown.end(), name) == unknown.end()) {
            unknown.push_back(name);
        }
    }
    if (!unknown.empty()) {
        std::string list;
        for (const auto& name : unknown) {
            list += (list.empty() ? "\"" : ", \"") + name + "\"";
        }
        throw Failure(ExitStatus::NothingMatched,
                      "no custom texture is named " + list + " (quorvell-cli list shows them)");
    }
    ChangeReport report;
    report.command = on ? Command::On : Command::Off;
    report.textures = names;
    report.dryRun = dryRun;
    report.maps = install.maps.size();
    Progress progress(console.err, console.errIsTerminal);
    const patching::MapsFolderLock lock(install.mapsFolder, waitHooks(console));
    report.batch = runBatch(install, patching::BatchIndex(named), dryRun, progress);
    return report;
}

} // namespace quorvell::cli
