#include "base/path_text.h"
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

json optionalPath(const std::optional<std::filesystem::path>& path) {
    return path ? json(pathText(*path)) : json(nullptr);
}

using textures::TextureInfo;

// A field of the header, or null when it could not be read.
template <typename Field>
json headerField(const std::optional<TextureInfo>& header, Field TextureInfo::*field) {
    return header ? json((*header).*field) : json(nullptr);
}

} // namespace

void printJson(std::ostream& out, const ShowReport& report) {
    json files = json::array();
    for (const auto& shown : report.files) {
        files.push_back({{"folder", shown.folder},
                         {"file", pathText(shown.file)},
                         {"width", headerField(shown.header, &TextureInfo::width)},
                         {"height", headerField(shown.header, &TextureInfo::height)},
                         {"format", headerField(shown.header, &TextureInfo::format)},
                         {"mipLevels", headerField(shown.header, &TextureInfo::mipLevels)},
                         {"problem", shown.problem.empty() ? json(nullptr) : json(shown.problem)}});
    }
    print(out, {{"name", report.name}, {"files", files}, {"png", optionalPath(report.png)}});
}

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
    }
    print(out, document);
}

void printJson(std::ostream& out, const ListReport& report) {
    json textures = json::array();
    for (const auto& line : report.textures) {
        textures.push_back(
            {{"name", line.name},
             {"folder", line.folder},
             {"on", line.on},
             {"mapsOn", line.count.on},
             {"mapsUsing", line.count.using_},
             {"width", headerField(line.header, &TextureInfo::width)},
             {"height", headerField(line.header, &TextureInfo::height)},
             {"format", headerField(line.header, &TextureInfo::format)},
             {"mipLevels", headerField(line.header, &TextureInfo::mipLevels)},
             {"problem", line.headerProblem.empty() ? json(nullptr) : json(line.headerProblem)}});
    }
    print(out, {{"maps", report.maps}, {"textures", textures}});
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
    json document = {
        {"command", commandName(report.command)},
        {"dryRun", report.dryRun},
        {"stoppedBySpecialEntry", report.stoppedBySpecialEntry},
        {"mapCount", report.maps},
        {"mapsChanged", report.batch.changed.size()},
        {"referencesChanged", report.referencesChanged()},
        {"maps", maps},
        {"notSwitchedOn", report.batch.notSwitchedOn},
    };
    if (report.command == Command::Apply || report.command == Command::Remove) {
        document["preset"] = report.preset;
    } else {
        document["textures"] = report.textures;
    }
    print(out, document);
}

} // namespace quorvell::cli
