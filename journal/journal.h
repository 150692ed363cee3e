#pragma once

// The journal of one maps folder: every run that writes maps, recorded
// before its first write (the record on disk first) and marked ended after
// its last, and the bytes Quorvell first found at every name it changed,
// kept for good. Appended to under the maps lock only; read at any time (a
// record being appended reads as a torn tail and is left out).

#include "journal/record_codec.h"
#include "patching/map_plan.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvell::journal {

enum class RunState {
    Unfinished, // no end record: cut short by a crash, a kill, a power loss
    Ended,
    CutShort, // ended early: a map that could not be written, a stop
};

struct RunEntry {
    RunSummary summary;
    RunState state = RunState::Unfinished;
    RunEnd end;                // as the end record says (state != Unfinished)
    bool undone = false;       // a later run took it back whole
    std::uint64_t plansAt = 0; // where its plans record starts in the file
};

// The runs kept: the last kRunsKept; older runs are pruned (their first-found
// bytes stay).
inline constexpr std::size_t kRunsKept = 100;

class Journal {
public:
    // Reads the journal file (none yet: empty). Throws IoError naming the
    // file when it exists and cannot be read.
    Journal(std::filesystem::path file, std::filesystem::path mapsFolder);

    // The journal of a maps folder in the user's journal folder. Throws
    // IoError when the environment names no such folder.
    static Journal forMapsFolder(const std::filesystem::path& mapsFolder);

    const std::filesystem::path& file() const { return file_; }
    const std::filesystem::path& mapsFolder() const { return mapsFolder_; }
    const std::vector<RunEntry>& runs() const { return runs_; }
    // Every name Quorvell changed, as first found: read from the file when
    // first asked for (a restore), not at every start. Throws IoError.
    const Originals& originals() const;
    // Bytes past the last whole record (a torn tail), ignored.
    bool tornTail() const { return tornTail_; }

    // Reads the file again (another process may have appended since).
    void reload();

    // The run a Ctrl+Z takes back: the last that changed maps and is neither
    // undone nor an undo itself; null when none.
    const RunEntry* lastUndoable() const;
    // The last run when it has no end record; null otherwise.
    const RunEntry* unfinished() const;
    const RunEntry* find(std::uint64_t id) const;

    std::vector<patching::MapPlan> plansOf(const RunEntry& run) const;

    // Records a run before its first map write: its summary and its plans
    // (whose `before` bytes are what restore needs), on disk before this
    // returns. Prunes
    // runs beyond kRunsKept first. Returns the run's id. Throws IoError
    // naming the journal's file and the reason.
    std::uint64_t begin(const std::string& frontEnd, const std::string& what,
                        const std::vector<patching::MapPlan>& plans, std::uint64_t undoes = 0);
    // Marks the run ended, on disk before this returns. Throws IoError.
    void end(std::uint64_t id, bool complete, std::uint64_t maps, std::uint64_t references);

private:
    std::string readBytes() const;
    void load(const std::string& bytes);
    void prune(const std::string& bytes);

    std::filesystem::path file_;
    std::filesystem::path mapsFolder_;
    std::vector<RunEntry> runs_;
    mutable std::optional<Originals> originals_;
    std::uint64_t validEnd_ = 0;
    std::uint64_t nextId_ = 1;
    bool tornTail_ = false;
};

// What a run's record says it was, as its plans count it.
inline std::uint64_t plannedReferences(const std::vector<patching::MapPlan>& plans) {
    std::uint64_t references = 0;
    for (const patching::MapPlan& plan : plans) {
        references += plan.edits.size();
    }
    return references;
}

} // namespace quorvell::journal
