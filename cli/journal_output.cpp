#include "cli/journal_output.h"

#include "base/count_text.h"
#include "base/path_text.h"
#include "journal/run_words.h"

#include <nlohmann/json.hpp>

namespace quorvell::cli {

namespace {

using json = nlohmann::ordered_json;

bool undo(const WayBackReport& report) {
    return report.command == Command::Undo;
}

} // namespace

void printText(std::ostream& out, const WayBackReport& report) {
    if (report.nothingToDo) {
        out << (undo(report) ? "Nothing to undo: every run in the journal is undone already.\n"
                             : "Nothing to restore: Quorvell has changed no name in these maps.\n");
        out.flush();
        return;
    }
    const char* verb = report.dryRun ? " would be written back" : " written back";
    for (const auto& change : report.batch.changed) {
        out << pathText(change.map.filename()) << ": "
            << countText(change.references, "reference", "references") << verb << '\n';
    }
    for (const IoError& map : report.leftAlone) {
        out << pathFromUtf8(map.path()).filename().string() << ": left alone, " << map.reason()
            << '\n';
    }
    const std::string counts = countText(report.references(), "reference", "references") + " in " +
                               countText(report.batch.changed.size(), "map", "maps");
    std::string what = report.dryRun ? journal::ongoingWhat(report.what) : report.what;
    what[0] = static_cast<char>(what[0] - 'a' + 'A');
    if (report.dryRun) {
        out << what << " would write back " << counts << "; nothing was written.\n";
    } else {
        out << what << ": " << counts << " written back.\n";
    }
    out.flush();
}

void printText(std::ostream& out, const HistoryReport& report) {
    if (report.runs.empty()) {
        out << "No run recorded in " << pathText(report.journal) << ".\n";
    }
    for (const journal::RunEntry& run : report.runs) {
        out << journal::historyLine(run) << '\n';
    }
    out.flush();
}

void printJson(std::ostream& out, const WayBackReport& report) {
    json maps = json::array();
    for (const auto& change : report.batch.changed) {
        maps.push_back({{"name", pathText(change.map.filename())},
                        {"path", pathText(change.map)},
                        {"references", change.references}});
    }
    json leftAlone = json::array();
    for (const IoError& map : report.leftAlone) {
        leftAlone.push_back({{"path", map.path()}, {"reason", map.reason()}});
    }
    const json document = {
        {"command", commandName(report.command)},
        {"dryRun", report.dryRun},
        {"nothingToDo", report.nothingToDo},
        {"what", report.what},
        {"mapsChanged", report.batch.changed.size()},
        {"referencesChanged", report.references()},
        {"maps", maps},
        {"leftAlone", leftAlone},
    };
    out << document.dump(2, ' ', false, json::error_handler_t::replace) << std::endl;
}

void printJson(std::ostream& out, const HistoryReport& report) {
    json runs = json::array();
    for (const journal::RunEntry& run : report.runs) {
        runs.push_back(
            {{"id", run.summary.id},
             {"time", run.summary.time},
             {"frontEnd", run.summary.frontEnd},
             {"what", run.summary.what},
             {"maps", run.summary.maps},
             {"references", run.summary.references},
             {"state", journal::stateText(run)},
             {"undoes", run.summary.undoes == 0 ? json(nullptr) : json(run.summary.undoes)}});
    }
    const json document = {{"journal", pathText(report.journal)}, {"runs", runs}};
    out << document.dump(2, ' ', false, json::error_handler_t::replace) << std::endl;
}

} // namespace quorvell::cli
