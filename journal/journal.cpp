#include "journal/journal.h"

#include "base/io_error.h"
#include "base/path_text.h"
#include "journal/append_file.h"
#include "journal/journal_location.h"

#include <cerrno>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quorvell::journal {

namespace {

// Called in a handler: a record that does not decode makes the journal's
// file unreadable, named with the reason; an IoError is already named.
[[noreturn]] void unreadable(const std::filesystem::path& file, const std::runtime_error& error) {
    if (dynamic_cast<const IoError*>(&error) != nullptr) {
        throw;
    }
    throw IoError(pathText(file), std::string("unreadable: ") + error.what());
}

std::int64_t now() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The bytes first found at every name the records of `bytes` changed: the
// pruned runs' (kept in Originals records) and every kept run's `before`,
// the oldest winning where they overlap.
Originals firstFoundIn(const std::string& bytes) {
    Originals found;
    for (const Record& record : scanRecords(bytes).records) {
        if (record.kind == RecordKind::Originals || record.kind == RecordKind::TabledOriginals) {
            for (auto& [path, map] : decodeOriginals(record.payload, record.kind)) {
                mergeOriginals(found[path], std::move(map));
            }
        } else if (record.kind == RecordKind::Plans || record.kind == RecordKind::TabledPlans) {
            for (patching::MapPlan& plan : decodePlans(record.payload, record.kind)) {
                MapOriginals map{plan.length, plan.identity, {}};
                map.names.reserve(plan.edits.size());
                for (const patching::NameEdit edit : plan.edits) {
                    map.names.emplace_back(edit.offset, edit.before);
                }
                mergeOriginals(found[pathText(plan.map)], std::move(map));
            }
        }
    }
    return found;
}

} // namespace

Journal::Journal(std::filesystem::path file, std::filesystem::path mapsFolder)
    : file_(std::move(file)), mapsFolder_(canonicalMapsFolder(mapsFolder)) {
    reload();
}

Journal Journal::forMapsFolder(const std::filesystem::path& mapsFolder) {
    const std::optional<std::filesystem::path> folder = journalFolder();
    if (!folder) {
        throw IoError("journal", "no folder for it: neither XDG_STATE_HOME nor HOME is set");
    }
    return Journal(*folder / journalFileName(mapsFolder), mapsFolder);
}

std::string Journal::readBytes() const {
    std::ifstream in(file_, std::ios::binary);
    if (!in) {
        std::error_code error;
        if (!std::filesystem::exists(file_, error) && !error) {
            return {};
        }
        throw IoError(pathText(file_), error ? error.message() : systemReason(errno));
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

void Journal::reload() {
    load(readBytes());
}

void Journal::load(const std::string& bytes) {
    runs_.clear();
    originals_.reset();
    nextId_ = 1;
    const RecordScan scan = scanRecords(bytes);
    validEnd_ = scan.validEnd;
    tornTail_ = scan.validEnd < bytes.size();
    try {
        for (const Record& record : scan.records) {
            switch (record.kind) {
            case RecordKind::Folder:
                if (pathFromUtf8(record.payload) != mapsFolder_) {
                    throw IoError(pathText(file_), "it is the journal of another maps folder (" +
                                                       record.payload + ")");
                }
                break;
            case RecordKind::Started: {
                RunEntry run;
                run.summary = decodeSummary(record.payload);
                nextId_ = std::max(nextId_, run.summary.id + 1);
                runs_.push_back(std::move(run));
                break;
            }
            case RecordKind::Plans:
            case RecordKind::TabledPlans:
                if (!runs_.empty()) {
                    runs_.back().plansAt = record.at;
                }
                break;
            case RecordKind::Ended: {
                const RunEnd end = decodeEnd(record.payload);
                for (RunEntry& run : runs_) {
                    if (run.summary.id == end.id) {
                        run.end = end;
                        run.state = end.complete ? RunState::Ended : RunState::CutShort;
                        if (end.complete && run.summary.undoes != 0) {
                            for (RunEntry& undone : runs_) {
                                undone.undone |= undone.summary.id == run.summary.undoes;
                            }
                        }
                    }
                }
                break;
            }
            case RecordKind::Originals:
            case RecordKind::TabledOriginals:
                break; // read when asked for (originals())
            }
        }
    } catch (const std::runtime_error& error) {
        unreadable(file_, error);
    }
}

const Originals& Journal::originals() const {
    if (!originals_) {
        try {
            originals_ = firstFoundIn(readBytes());
        } catch (const std::runtime_error& error) {
            unreadable(file_, error);
        }
    }
    return *originals_;
}

const RunEntry* Journal::find(std::uint64_t id) const {
    for (const RunEntry& run : runs_) {
        if (run.summary.id == id) {
            return &run;
        }
    }
    return nullptr;
}

const RunEntry* Journal::lastUndoable() const {
    for (auto run = runs_.rbegin(); run != runs_.rend(); ++run) {
        if (!run->undone && run->summary.undoes == 0 && run->summary.references > 0) {
            return &*run;
        }
    }
    return nullptr;
}

const RunEntry* Journal::unfinished() const {
    return !runs_.empty() && runs_.back().state == RunState::Unfinished ? &runs_.back() : nullptr;
}

std::vector<patching::MapPlan> Journal::plansOf(const RunEntry& run) const {
    if (run.plansAt == 0) {
        return {};
    }
    std::ifstream in(file_, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(run.plansAt));
    std::string head(15, '\0');
    in.read(head.data(), 15);
    std::uint32_t length = 0;
    for (int i = 3; i >= 0; --i) {
        length = (length << 8) | static_cast<unsigned char>(head[3 + static_cast<std::size_t>(i)]);
    }
    std::string payload(length, '\0');
    in.read(payload.data(), length);
    if (!in) {
        throw IoError(pathText(file_), "a run's record is cut short");
    }
    try {
        return decodePlans(payload, static_cast<RecordKind>(head[2]));
    } catch (const std::runtime_error& error) {
        unreadable(file_, error);
    }
}

void Journal::prune(const std::string& bytes) {
    const RecordScan scan = scanRecords(bytes);
    // Keep the newest kRunsKept - 1 runs, so the one beginning makes kRunsKept.
    const std::uint64_t firstKept = runs_[runs_.size() - (kRunsKept - 1)].summary.id;
    std::string kept = frameRecord(RecordKind::Folder, pathText(mapsFolder_));
    kept += frameRecord(RecordKind::TabledOriginals, encodeOriginals(firstFoundIn(bytes)));
    std::uint64_t owner = 0;
    for (const Record& record : scan.records) {
        if (record.kind == RecordKind::Started) {
            owner = decodeSummary(record.payload).id;
        }
        const bool ofKeptRun =
            ((record.kind == RecordKind::Started || record.kind == RecordKind::Plans ||
              record.kind == RecordKind::TabledPlans) &&
             owner >= firstKept) ||
            (record.kind == RecordKind::Ended && decodeEnd(record.payload).id >= firstKept);
        if (ofKeptRun) {
            kept += bytes.substr(static_cast<std::size_t>(record.at),
                                 static_cast<std::size_t>(record.end - record.at));
        }
    }
    replaceFile(file_, kept);
    load(kept);
}

std::uint64_t Journal::begin(const std::string& frontEnd, const std::string& what,
                             const std::vector<patching::MapPlan>& plans, std::uint64_t undoes) {
    const std::string bytes = readBytes();
    load(bytes);
    if (runs_.size() >= kRunsKept) {
        prune(bytes);
    }
    RunSummary summary{nextId_, now(), frontEnd, what, undoes, 0, plannedReferences(plans)};
    for (const patching::MapPlan& plan : plans) {
        summary.maps += plan.edits.empty() ? 0 : 1;
    }
    std::string records;
    if (validEnd_ == 0) {
        records += frameRecord(RecordKind::Folder, pathText(mapsFolder_));
    }
    records += frameRecord(RecordKind::Started, encodeSummary(summary));
    const std::uint64_t plansAt = validEnd_ + records.size();
    // Its plans' `before` bytes are the first found of every name no earlier
    // run changed: nothing else to record for restore.
    records += frameRecord(RecordKind::TabledPlans, encodePlans(plans));

    AppendFile file(file_, validEnd_);
    file.append(records);
    file.sync();

    validEnd_ += records.size();
    tornTail_ = false;
    nextId_ = summary.id + 1;
    originals_.reset();
    RunEntry run;
    run.summary = std::move(summary);
    run.plansAt = plansAt;
    runs_.push_back(std::move(run));
    return runs_.back().summary.id;
}

void Journal::end(std::uint64_t id, bool complete, std::uint64_t maps, std::uint64_t references) {
    const RunEnd end{id, complete, maps, references};
    const std::string record = frameRecord(RecordKind::Ended, encodeEnd(end));
    AppendFile file(file_, validEnd_);
    file.append(record);
    file.sync();
    validEnd_ += record.size();
    std::uint64_t undoes = 0;
    for (RunEntry& run : runs_) {
        if (run.summary.id == id) {
            run.end = end;
            run.state = complete ? RunState::Ended : RunState::CutShort;
            undoes = complete ? run.summary.undoes : 0;
        }
    }
    for (RunEntry& run : runs_) {
        run.undone |= undoes != 0 && run.summary.id == undoes;
    }
}

} // namespace quorvell::journal
