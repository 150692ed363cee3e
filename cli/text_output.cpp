#include "base/path_text.h"
#include "cli/output.h"

#include <algorithm>

namespace quorvell::cli {

namespace {

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

void field(std::ostream& out, const char* label, const std::string& value) {
    std::string padded = label;
    padded.resize(std::max<std::size_t>(padded.size() + 1, 14), ' ');
    out << padded << value << '\n';
}

std::string presetFileLine(const PresetFileReport& file) {
    if (!file.found) {
        return "none (" + pathText(file.file) + " does not exist)";
    }
    return counted(file.count, "preset", "presets") + " in " + pathText(file.file);
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) {
        text.append(width - text.size(), ' ');
    }
    return text;
}

std::string usage(const TextureLine& line) {
    return session::mapCountText(line.count);
}

std::string action(const ChangeReport& report) {
    std::string names;
    for (const auto& name : report.textures) {
        names += (names.empty() ? "" : ", ") + name;
    }
    switch (report.command) {
    case Command::Apply:
        return "Applying preset \"" + report.preset + "\"";
    case Command::Remove:
        return "Removing preset \"" + report.preset + "\"";
    case Command::On:
        return "Switching on " + names;
    case Command::Off:
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
    }
    field(out, "Presets:", presetFileLine(report.presets));
    out.flush();
}

void printText(std::ostream& out, const ListReport& report) {
    std::size_t nameWidth = 0;
    std::size_t usageWidth = 0;
    for (const auto& line : report.textures) {
        nameWidth = std::max(nameWidth, line.name.size());
        usageWidth = std::max(usageWidth, usage(line).size());
    }
    for (const auto& line : report.textures) {
        out << (line.on ? "[x] " : "[ ] ") << padded(line.name, nameWidth) << "  "
            << padded(usage(line), usageWidth) << "  " << line.folder << '\n';
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
        out << preset.name << '\n';
        for (const auto& entry : preset.entries) {
            out << "    " << entry << '\n';
        }
        if (!preset.closed) {
            out << "    (no closing \"}\" before the end of the file)\n";
        }
    }
    out.flush();
}

void printText(std::ostream& out, const ChangeReport& report) {
    if (report.stoppedBySpecialEntry) {
        out << "Preset \"" << report.preset
            << "\" holds \"*\" or \"xbrick\": removing it changes no map.\n";
        out.flush();
        return;
    }
    const char* verb = report.dryRun ? " would change" : " changed";
    for (const auto& change : report.batch.changed) {
        out << pathText(change.map.filename()) << ": "
            << counted(change.references, "reference", "references") << verb << '\n';
    }
    out << action(report);
    if (report.batch.changed.empty()) {
        out << (report.dryRun ? " would change nothing" : " changed nothing")
            << ": every map agrees already";
    } else {
        out << verb << ' ' << counted(report.referencesChanged(), "reference", "references")
            << " in " << report.batch.changed.size() << " of "
            << counted(report.maps, "map", "maps");
    }
    out << (report.dryRun ? "; nothing was written.\n" : ".\n");
    out.flush();
}

} // namespace quorvell::cli
