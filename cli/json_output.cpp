#include "base/path_text.h"
#include "cli/name_forms.h"
#include "cli/output.h"

#include <nlohmann/json.hpp>

namespace quorvell::cli {

namespace {

// Keys keep the order written here, which reads better than sorted.
using json = nlohmann::ordered_json;

// The text is UTF-8 throughout; a stray byte (a name the file system holds
// in another encoding) becomes U+FFFD rather than ending the program.
void print(std::ostream& out, const json& document) {
    out << document.dump(2, ' ', false, json::error_handler_t::replace) << std::endl;
}

json presetFile(const PresetFileReport& file) {
    return {{"file", pathText(file.file)}, {"found", file.found}, {"count", file.count}};
}

// A name that is not UTF-8 shows U+FFFD in "name"; its bytes stay
// recoverable beside it, and "hex:" with them names the texture again.
void addName(json& object, const std::string& name) {
    object["name"] = name;
    if (!isUtf8(name)) {
        object["nameBytes"] = hexBytes(name);
    }
}

json missingTextures(const std::vector<session::MissingTexture>& missing) {
    json textures = json::array();
    for (const auto& texture : missing) {
        json entry;
        addName(entry, texture.name);
        entry["mapsOn"] = texture.mapsOn;
        textures.push_back(std::move(entry));
    }
    return textures;
}

json optionalPath(const std::optional<std::filesystem::path>& path) {
    return path ? json(pathText(*path)) : json(nullptr);
}

} // namespace

void printJson(std::ostream& out, const StatusReport& report) {
    const auto& game = report.game;
    json looked = json::array();
    for (const auto& place : game.install.passedOver) {
        looked.push_back({{"place", place.place}, {"reason", place.reason}});
    }
    json document = {
        {"game",
         {{"found", game.install.found()},
          {"root", game.install.root},
          {"foundBy", sourceKey(game.source)},
          {"how", game.install.found() ? describeSource(game) : std::string()},
          {"prefix", optionalPath(game.install.winePrefix)},
          {"passedOver", looked}}},
        {"presets", presetFile(report.presets)},
    };
    if (game.install.found()) {
        document["mapsFolder"] = pathText(report.mapsFolder);
        document["maps"] = report.maps;
        document["textures"] = report.textures;
        document["texturesOn"] = report.texturesOn;
        document["problems"] = report.problems;
        document["missing"] = missingTextures(report.missing);
    }
    print(out, document);
}

void printJson(std::ostream& out, const ListReport& report) {
    json textures = json::array();
    for (const auto& line : report.textures) {
        json texture;
        addName(texture, line.name);
        texture["folder"] = line.folder;
        texture["on"] = line.on;
        texture["mapsOn"] = line.count.on;
        texture["mapsUsing"] = line.count.using_;
        textures.push_back(std::move(texture));
    }
    print(out, {{"maps", report.maps},
                {"textures", textures},
                {"missing", missingTextures(report.missing)}});
}

void printJson(std::ostream& out, const PresetsReport& report) {
    json presets = json::array();
    for (const auto& preset : report.presets) {
        presets.push_back(
            {{"name", preset.name}, {"entries", preset.entries}, {"closed", preset.closed}});
    }
    json document = presetFile(report.file);
    document["presets"] = presets;
    print(out, document);
}

void printJson(std::ostream& out, const ChangeReport& report) {
    json maps = json::array();
    for (const auto& change : report.batch.changed) {
        maps.push_back({{"name", pathText(change.map.filename())},
                        {"path", pathText(change.map)},
                        {"references", change.references}});
    }
    json notSwitchedOn = report.batch.notSwitchedOn;
    json unwritable = json::array();
    for (const UnwritableName& name : report.unwritable) {
        notSwitchedOn.push_back(name.name);
        json entry;
        addName(entry, name.name);
        entry["reason"] = name.reason;
        unwritable.push_back(std::move(entry));
    }
    json document = {
        {"command", commandName(report.command)},
        {"dryRun", report.dryRun},
        {"stoppedBySpecialEntry", report.stoppedBySpecialEntry},
        {"mapCount", report.maps},
        {"mapsChanged", report.batch.changed.size()},
        {"referencesChanged", report.referencesChanged()},
        {"maps", maps},
        {"notSwitchedOn", notSwitchedOn},
        {"unwritable", unwritable},
    };
    if (report.command == Command::Apply || report.command == Command::Remove) {
        document["preset"] = report.preset;
    } else {
        document["textures"] = report.textures;
        document["missing"] = report.missing;
    }
    print(out, document);
}

} // namespace quorvell::cli
