#include "cli/commands.h"

#include "base/path_text.h"
#include "base/stop_signals.h"
#include "base/text_case.h"
#include "cli/command_support.h"
#include "cli/exit_status.h"
#include "cli/journal_commands.h"
#include "cli/name_forms.h"
#include "cli/platform.h"
#include "cli/png_file.h"
#include "cli/progress.h"
#include "journal/journal_recorder.h"
#include "presets/preset_marks.h"
#include "session/install.h"
#include "session/messages.h"
#include "session/preset_places.h"
#include "session/scan.h"
#include "textures/picture.h"

#include <algorithm>
#include <iterator>

namespace quorvell::cli {

namespace {

// The preview's size.
constexpr std::uint32_t kPngSide = 256;

} // namespace
// Every scan and every write holds the maps folder, so the window, its
// command line and this program never work on the same maps at once.
session::MapsLocker locker(const session::Install& install, Console& console) {
    return session::MapsLocker(session::folderLock(install.mapsFolder, [&console] {
        console.err << session::kWaitingForMapsShort << std::endl;
    }));
}

// The loop's progress on a terminal, as one line under `what`.
session::LoopHooks progressHooks(Progress& progress, const char* what) {
    session::LoopHooks hooks;
    hooks.afterMap = [&progress, what](std::size_t index, std::size_t total) {
        progress.step(what, index + 1, total);
    };
    hooks.stopRequested = [] { return stopRequested(); };
    return hooks;
}

namespace {

PresetFileReport presetFileReport(const session::Presets& presets) {
    return {presets.file, presets.found, presets.content.names.size()};
}

} // namespace

// A texture folder that cannot be listed leaves its textures out; the rest
// still works, as in the window, but the player is told.
session::Install openAndWarn(const SessionOptions& options, Console& console) {
    session::Install install = session::openInstall(session::findGame(options.game));
    for (const IoError& problem : install.problems) {
        console.err << "quorvell-cli: could not list " << problem.path() << ": " << problem.reason()
                    << std::endl;
    }
    return install;
}

namespace {

// A run stopped by a map it could not write: nothing is rolled back, so the
// player must know what was done.
template <typename Run> auto reportingWritten(Run run) {
    try {
        return run();
    } catch (const session::RunFailed& failure) {
        throw IoError(failure.path(), failure.reason() + " (" +
                                          std::to_string(failure.mapsWritten()) +
                                          " maps before it were already rewritten)");
    }
}

} // namespace

// missing, if given, gathers the missing textures in the same pass.
session::ScanResult scan(const session::Install& install, session::MapsLocker& maps,
                         Console& console, session::MissingTextureScan* missing) {
    Progress progress(console.err, console.errIsTerminal);
    session::RunContext context{maps, progressHooks(progress, "Scanning maps")};
    return session::scanMaps(install.maps, install.rows, context, {}, nullptr, nullptr, missing);
}

// --presets FILE, which must exist, or Presets.ini where the window reads
// it: the working directory, then beside the program, then the per-user
// folder.
session::Presets loadPresets(const SessionOptions& options) {
    if (options.presetFile) {
        std::filesystem::path file = pathFromUtf8(*options.presetFile);
        return session::readPresets(file.is_relative() ? options.game.workingDir / file : file);
    }
    return session::findPresets(session::presetPlaces(options.game.workingDir, programFolder()));
}

StatusReport statusCommand(const SessionOptions& options, Console& console) {
    StatusReport report;
    report.presets = presetFileReport(loadPresets(options));
    session::FoundGame game = session::findGame(options.game);
    if (!game.install.found()) {
        report.game = std::move(game);
        return report;
    }
    session::Install install = session::openInstall(std::move(game));
    session::MapsLocker maps = locker(install, console);
    session::MissingTextureScan missing;
    const session::ScanResult result = scan(install, maps, console, &missing);
    report.missing = missing.found();
    report.mapsFolder = install.mapsFolder;
    report.maps = install.maps.size();
    report.textures = install.rows.size();
    report.texturesOn =
        static_cast<std::size_t>(std::count(result.marks.begin(), result.marks.end(), true));
    report.cutShort = cutShortRun(install.mapsFolder);
    for (const IoError& problem : install.problems) {
        report.problems.push_back(problem.path() + ": " + problem.reason());
    }
    report.game = std::move(install.game);
    return report;
}

ListReport listCommand(const SessionOptions& options, Console& console) {
    const session::Install install = openAndWarn(options, console);
    session::MapsLocker maps = locker(install, console);
    session::MissingTextureScan missing;
    const session::ScanResult result = scan(install, maps, console, &missing);
    ListReport report;
    report.maps = install.maps.size();
    report.missing = missing.found();
    for (std::size_t row = 0; row < install.rows.size(); ++row) {
        // The header alone: a few hundred bytes a texture.
        textures::TextureReading header =
            textures::readHeader(install.game.install.hostPath(install.folders[row]) /
                                 pathFromUtf8(install.rows[row].text));
        report.textures.push_back({install.rows[row].text, std::string(install.folders[row]),
                                   result.marks[row], result.counts[row], std::move(header.info),
                                   std::move(header.problem)});
    }
    return report;
}

PresetsReport presetsCommand(const SessionOptions& options) {
    const session::Presets presets = loadPresets(options);
    PresetsReport report;
    report.file = presetFileReport(presets);
    // Each line is listed once: a block missing its "}" runs on into the
    // presets after it, and is listed up to the next name line with a note.
    const auto& lines = presets.content.lines;
    PresetBlock* open = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = presets::presetNameOf(lines[i])) {
            if (open) {
                open->closed = false;
                open->runsOn = true;
            }
            report.presets.push_back({std::string(*name), {}, false});
            open = &report.presets.back();
        } else if (open && lines[i] == "}") {
            open->closed = true;
            open = nullptr;
        } else if (open) {
            open->entries.emplace_back(lines[i]);
        }
    }
    return report;
}

ChangeReport presetCommand(const SessionOptions& options, const std::string& preset, bool remove,
                           bool dryRun, Console& console) {
    const session::Presets presets = loadPresets(options);
    const auto& names = presets.content.names;
    if (std::find(names.begin(), names.end(), preset) == names.end()) {
        throw Failure(ExitStatus::NothingMatched,
                      "no preset is named \"" + preset + "\" in " + pathText(presets.file) +
                          (presets.found ? "" : " (there is no such file)"));
    }
    ChangeReport report;
    report.command = remove ? Command::Remove : Command::Apply;
    report.preset = preset;
    report.dryRun = dryRun;

    const session::Install install = openAndWarn(options, console);
    report.maps = install.maps.size();
    const std::vector<std::string> texts = install.texts();
    session::MapsLocker maps = locker(install, console);
    Progress progress(console.err, console.errIsTerminal);
    session::RunContext context{
        maps, progressHooks(progress, dryRun ? "Counting changes" : "Writing maps")};
    journal::JournalRecorder recorder(install.mapsFolder, "quorvell-cli");
    context.recorder = &recorder;
    const session::PresetRequest request{
        presets.content.lines, presets.file, preset, remove, dryRun, texts, install.maps,
        // The window's plus and minus run after its scan: so does this.
        [&] { return scan(install, maps, console).marks; }};
    const session::PresetOutcome outcome =
        reportingWritten([&] { return session::runPreset(request, context); });
    report.stoppedBySpecialEntry = outcome.stoppedBySpecialEntry;
    report.batch = outcome.batch;
    return report;
}

ShowReport showCommand(const SessionOptions& options, const std::string& name,
                       const std::optional<std::filesystem::path>& png, Console& console) {
    const session::Install install = openAndWarn(options, console);
    ShowReport report;
    report.name = name;
    std::optional<textures::Picture> picture;
    for (std::size_t row = 0; row < install.rows.size(); ++row) {
        if (!text_case::equalNames(install.rows[row].text, name)) {
            continue;
        }
        report.name = install.rows[row].text;
        ShownFile shown{std::string(install.folders[row]),
                        install.game.install.hostPath(install.folders[row]) /
                            pathFromUtf8(install.rows[row].text)};
        textures::TextureReading reading = png && !picture
                                               ? textures::readPicture(shown.file, kPngSide)
                                               : textures::readHeader(shown.file);
        shown.header = std::move(reading.info);
        shown.problem = std::move(reading.problem);
        if (reading.picture) {
            picture = fitted(*reading.picture, kPngSide);
        }
        report.files.push_back(std::move(shown));
    }
    if (report.files.empty()) {
        throw Failure(ExitStatus::NothingMatched,
                      "no custom texture is named \"" + name + "\" (quorvell-cli list shows them)");
    }
    if (png) {
        if (!picture) {
            throw Failure(ExitStatus::Failed, "no picture of " + report.name +
                                                  " to write: " + report.files.front().problem);
        }
        writePng(*png, *picture);
        report.png = png;
    }
    return report;
}

ChangeReport switchCommand(const SessionOptions& options, const std::vector<std::string>& operands,
                           bool on, bool dryRun, Console& console) {
    std::vector<std::string> names;
    std::transform(operands.begin(), operands.end(), std::back_inserter(names), operandName);
    const session::Install install = openAndWarn(options, console);
    const session::NamedRows named = session::namedRows(install.rows, names, on);
    if (!named.unknown.empty()) {
        std::string list;
        for (const auto& name : named.unknown) {
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
    for (const auto& row : named.rows) {
        const bool seen = std::any_of(report.unwritable.begin(), report.unwritable.end(),
                                      [&](const UnwritableName& u) { return u.name == row.text; });
        if (on && !seen) {
            if (auto reason = unwritableReason(row.text)) {
                report.unwritable.push_back({row.text, std::move(*reason)});
            }
        }
    }
    session::MapsLocker maps = locker(install, console);
    Progress progress(console.err, console.errIsTerminal);
    session::RunContext context{
        maps, progressHooks(progress, dryRun ? "Counting changes" : "Writing maps")};
    journal::JournalRecorder recorder(install.mapsFolder, "quorvell-cli");
    context.recorder = &recorder;
    std::string what = on ? "switched on " : "switched off ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        what += (i == 0 ? "" : ", ") + names[i];
    }
    report.batch = reportingWritten([&] {
        return session::runBatch(install.maps, patching::BatchIndex(named.rows), dryRun, context,
                                 what);
    });
    return report;
}

ChangeReport missingOffCommand(const SessionOptions& options, bool dryRun, Console& console) {
    const session::Install install = openAndWarn(options, console);
    ChangeReport report;
    report.command = Command::Off;
    report.missing = true;
    report.dryRun = dryRun;
    report.maps = install.maps.size();
    session::MapsLocker maps = locker(install, console);
    // One hold from finding them to the last write.
    const session::MapsLocker::Hold hold = maps.hold();
    session::MissingTextureScan missing;
    scan(install, maps, console, &missing);
    const std::vector<session::MissingTexture> found = missing.found();
    for (const session::MissingTexture& texture : found) {
        report.textures.push_back(texture.name);
    }
    if (found.empty()) {
        return report;
    }
    Progress progress(console.err, console.errIsTerminal);
    session::RunContext context{
        maps, progressHooks(progress, dryRun ? "Counting changes" : "Writing maps")};
    report.batch = reportingWritten([&] {
        return session::runBatch(install.maps,
                                 patching::BatchIndex(session::switchedOffRows(found)), dryRun,
                                 context, "switched off the missing textures");
    });
    return report;
}

} // namespace quorvell::cli
