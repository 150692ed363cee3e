#include "cli/preset_commands.h"

#include "base/path_text.h"
#include "cli/exit_status.h"
#include "presets/preset_edit.h"
#include "presets/preset_marks.h"
#include "session/preset_places.h"
#include "session/runs.h"
#include "session/scan.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace quorvell::cli {

namespace {

std::vector<std::string> lines(const presets::PresetLines& file, std::size_t first,
                               std::size_t last) {
    std::vector<std::string> out;
    for (std::size_t i = first; i <= last && i < file.size(); ++i) {
        out.emplace_back(file[i]);
    }
    return out;
}

std::vector<std::string> blockLines(const std::string& name,
                                    const std::vector<std::string>& entries) {
    std::vector<std::string> out{name + "{"};
    out.insert(out.end(), entries.begin(), entries.end());
    out.emplace_back("}");
    return out;
}

// The first block of that name, or nullopt.
std::optional<std::pair<std::size_t, presets::PresetBlock>>
blockNamed(const presets::PresetFile& file, const std::string& name) {
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        if (presets::presetNameOf(file.lines[i]) == std::optional<std::string_view>(name)) {
            return std::pair{i, presets::presetBlockAt(file.lines, i)};
        }
    }
    return std::nullopt;
}

} // namespace

PresetWriteReport saveCommand(const SessionOptions& options, const std::string& name,
                              const std::vector<std::string>& textures, bool dryRun,
                              Console& console) {
    const session::Presets before = loadPresets(options);
    PresetWriteReport report{Command::Save, name, false, dryRun, before.file, {}};
    report.replaced = blockNamed(before.content, name).has_value();
    if (!report.replaced) {
        if (const auto problem = presets::presetNameProblem(name, before.content.names)) {
            throw Failure(ExitStatus::Failed, "cannot save \"" + name + "\": " + *problem);
        }
    }
    const session::Install install = session::openInstall(session::findGame(options.game));
    std::vector<bool> marks;
    if (textures.empty()) {
        session::MapsLocker maps = locker(install, console);
        marks = scan(install, maps, console).marks;
    } else {
        const session::NamedRows named = session::namedRows(install.rows, textures, true);
        if (!named.unknown.empty()) {
            throw Failure(ExitStatus::NothingMatched, "no custom texture is named \"" +
                                                          named.unknown.front() +
                                                          "\" (quorvell-cli list shows them)");
        }
        const std::vector<std::string> texts = install.texts();
        marks.assign(texts.size(), false);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            marks[i] = std::find(textures.begin(), textures.end(), texts[i]) != textures.end();
        }
    }
    const std::vector<std::string> entries = presets::presetEntriesFor(install.texts(), marks);
    report.block = blockLines(name, entries);
    presets::presetBlockText(name, entries); // refuses what the code page cannot hold
    if (!dryRun) {
        session::savePreset(before, name, entries, report.replaced);
    }
    return report;
}

PresetWriteReport deleteCommand(const SessionOptions& options, const std::string& name,
                                bool dryRun) {
    const session::Presets before = loadPresets(options);
    PresetWriteReport report{Command::Delete, name, false, dryRun, before.file, {}};
    const auto found = blockNamed(before.content, name);
    if (!found) {
        throw Failure(ExitStatus::NothingMatched,
                      "no preset is named \"" + name + "\" in " + pathText(before.file));
    }
    report.block = lines(before.content.lines, found->first, found->second.end);
    if (!dryRun) {
        session::deletePreset(before, name);
    }
    return report;
}

std::vector<presets::PresetSlip> presetSlips(const SessionOptions& options, Console& console) {
    const session::Presets presets = loadPresets(options);
    session::FoundGame game = session::findGame(options.game);
    if (!game.install.found()) {
        console.err << "quorvell-cli: the game was not found, so entries are not checked "
                       "against its textures"
                    << std::endl;
        return presets::findPresetSlips(presets.content.lines, nullptr);
    }
    const std::vector<std::string> texts = session::openInstall(std::move(game)).texts();
    return presets::findPresetSlips(presets.content.lines, &texts);
}

void printText(std::ostream& out, const PresetWriteReport& report) {
    if (report.dryRun) {
        for (const std::string& line : report.block) {
            out << line << '\n';
        }
    } else {
        const char* done = report.command == Command::Delete ? "Deleted"
                           : report.replaced                 ? "Updated"
                                                             : "Saved";
        out << done << " preset \"" << report.preset << "\" in " << pathText(report.file) << ".\n";
    }
    out.flush();
}

void printJson(std::ostream& out, const PresetWriteReport& report) {
    const nlohmann::ordered_json document = {
        {"command", commandName(report.command)},
        {"preset", report.preset},
        {"replaced", report.replaced},
        {"dryRun", report.dryRun},
        {"file", pathText(report.file)},
        {"block", report.block},
    };
    out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << std::endl;
}

void printSlips(std::ostream& out, const std::vector<presets::PresetSlip>& slips, bool json) {
    if (!json) {
        out << presets::describeSlips(slips) << std::flush;
        return;
    }
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const presets::PresetSlip& slip : slips) {
        list.push_back({{"line", slip.line}, {"text", slip.text}, {"reason", slip.reason}});
    }
    out << nlohmann::ordered_json{{"slips", list}}.dump(
               2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
        << std::endl;
}

} // namespace quorvell::cli
