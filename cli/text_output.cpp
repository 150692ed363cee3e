#include "base/count_text.h"
#include "base/path_text.h"
#include "base/utf8.h"
#include "cli/output.h"
#include "cli/terminal_text.h"
#include "journal/run_words.h"

#include <algorithm>

namespace quorvell::cli {

namespace {

void field(std::ostream& out, const char* label, const std::string& value) {
    std::string padded = label;
    padded.resize(std::max<std::size_t>(padded.size() + 1, 14), ' ');
    out << padded << terminalText(value) << '\n';
}

std::string presetFileLine(const PresetFileReport& file) {
    if (!file.found) {
        return "none (" + pathText(file.file) + " does not exist)";
    }
    return countText(file.count, "preset", "presets") + " in " + pathText(file.file);
}

std::string padded(std::string text, std::size_t width) {
    const std::size_t shown = utf8::charCount(text);
    if (shown < width) {
        text.append(width - shown, ' ');
    }
    return text;
}

std::string usage(const TextureLine& line) {
    return session::mapCountText(line.count);
}

std::string action(const ChangeReport& report) {
    std::string names;
    for (const auto& name : report.textures) {
        const bool unwritable =
            std::any_of(report.unwritable.begin(), report.unwritable.end(),
                        [&](const UnwritableName& u) { return u.name == name; });
        if (!unwritable) {
            names += (names.empty() ? "" : ", ") + terminalText(name);
        }
    }
    if (names.empty() && !report.unwritable.empty()) {
        return {};
    }
    const std::string preset = terminalText(report.preset);
    switch (report.command) {
    case Command::Apply:
        return "Applying preset \"" + preset + "\"";
    case Command::Remove:
        return "Removing preset \"" + preset + "\"";
    case Command::On:
        return "Switching on " + names;
    case Command::Off:
        if (report.missing) {
            return "Switching off the missing textures" + (names.empty() ? "" : " " + names);
        }
        return "Switching off " + names;
    default:
        return {};
    }
}

} // namespace

void printText(std::ostream& out, const StatusReport& report) {
    const auto& game = report.game;
    if (!game.install.found()) {
        field(out, "Game folder:", "not found");
        for (const auto& place : game.install.passedOver) {
            field(out, "Looked in:", place.place + ": " + place.reason);
        }
    } else {
        field(out, "Game folder:", game.install.root);
        field(out, "Found by:", describeSource(game));
        field(out, "Maps folder:", pathText(report.mapsFolder));
        field(out, "Maps:", std::to_string(report.maps));
        field(out, "Textures:",
              std::to_string(report.textures) + " custom, " + std::to_string(report.texturesOn) +
                  " switched on");
        for (const auto& problem : report.problems) {
            field(out, "Not listed:", problem);
        }
        for (const auto& missing : report.missing) {
            field(out, "Missing:", session::missingTextureText(missing, report.maps));
        }
        if (report.cutShort) {
            field(out, "Last run:", *report.cutShort + " (" + journal::kRollBackText + ")");
        }
    }
    field(out, "Presets:", presetFileLine(report.presets));
    out.flush();
}

void printText(std::ostream& out, const ListReport& report) {
    std::size_t nameWidth = 0;
    std::size_t usageWidth = 0;
    std::vector<std::string> names;
    for (const auto& line : report.textures) {
        names.push_back(terminalText(line.name));
        nameWidth = std::max(nameWidth, utf8::charCount(names.back()));
        usageWidth = std::max(usageWidth, usage(line).size());
    }
    for (std::size_t i = 0; i < report.textures.size(); ++i) {
        const TextureLine& line = report.textures[i];
        out << (line.on ? "[x] " : "[ ] ") << padded(names[i], nameWidth) << "  "
            << padded(usage(line), usageWidth) << "  " << terminalText(line.folder) << '\n';
    }
    for (const auto& missing : report.missing) {
        out << "[!] " << terminalText(session::missingTextureText(missing, report.maps)) << '\n';
    }
    out.flush();
}

void printText(std::ostream& out, const ShowReport& report) {
    field(out, "Name:", report.name);
    for (const auto& shown : report.files) {
        field(out, "Folder:", shown.folder);
        field(out, "File:", pathText(shown.file));
        if (shown.header) {
            field(out, "Picture:", shown.header->summary());
        }
        if (!shown.problem.empty()) {
            field(out, shown.header ? "Preview:" : "Picture:", shown.problem);
        }
    }
    if (report.png) {
        field(out, "PNG written:", pathText(*report.png));
    }
    out.flush();
}

void printText(std::ostream& out, const PresetsReport& report) {
    for (const auto& preset : report.presets) {
        out << terminalText(preset.name) << '\n';
        for (const auto& entry : preset.entries) {
            out << "    " << terminalText(entry) << '\n';
        }
        if (preset.runsOn) {
            out << "    (no closing \"}\" before the next preset: its block reads on)\n";
        } else if (!preset.closed) {
            out << "    (no closing \"}\" before the end of the file)\n";
        }
    }
    out.flush();
}

void printText(std::ostream& out, const ChangeReport& report) {
    if (report.stoppedBySpecialEntry) {
        out << "Preset \"" << terminalText(report.preset)
            << "\" holds \"*\" or \"xbrick\": removing it changes no map.\n";
        out.flush();
        return;
    }
    const char* verb = report.dryRun ? " would change" : " changed";
    for (const auto& change : report.batch.changed) {
        out << terminalText(pathText(change.map.filename())) << ": "
            << countText(change.references, "reference", "references") << verb << '\n';
    }
    const std::string what = action(report);
    if (what.empty()) {
        out.flush();
        return; // every name given could not be written: stderr says why
    }
    out << what;
    if (report.batch.changed.empty()) {
        out << (report.dryRun ? " would change nothing" : " changed nothing")
            << ": every map agrees already";
    } else {
        out << verb << ' ' << countText(report.referencesChanged(), "reference", "references")
            << " in " << report.batch.changed.size() << " of "
            << countText(report.maps, "map", "maps");
    }
    out << (report.dryRun ? "; nothing was written.\n" : ".\n");
    out.flush();
}

} // namespace quorvell::cli
