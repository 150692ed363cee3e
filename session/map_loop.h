#pragma once

// The one loop over the maps that every run shares (the scan, the toggle, a
// preset run, their dry runs), for every front end, and the lock between
// processes that it runs under.
//
// Seams for what plugs in later, one call site each:
// - a stop request (a signal, a Stop button): LoopHooks::stopRequested, asked
//   between two maps; the loop ends by throwing RunStopped naming the maps
//   done so far.
// - a journal: RunContext::recorder (see runs.h).
// - progress and an event loop: LoopHooks::beforeMap, withinMap, afterMap.

#include "base/io_error.h"
#include "patching/map_file.h"
#include "patching/maps_lock.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace quorvell::session {

struct LoopHooks {
    // Before each map: a window services its event loop here.
    std::function<void()> beforeMap;
    // Handed to the engine, called inside a map at most once per block of
    // records (a window throttles it by time).
    patching::YieldFn withinMap;
    // After map `index` of `total` (index counts from 0): progress.
    std::function<void(std::size_t index, std::size_t total)> afterMap;
    // Asked before every map but the first; true ends the loop there.
    std::function<bool()> stopRequested;
};

// A loop ended by a stop request before its last map. What was done stays
// done; the maps done are named.
class RunStopped : public std::runtime_error {
public:
    RunStopped(std::vector<std::filesystem::path> mapsDone, std::size_t total);
    const std::vector<std::filesystem::path>& mapsDone() const { return mapsDone_; }
    std::size_t total() const { return total_; }

private:
    std::vector<std::filesystem::path> mapsDone_;
    std::size_t total_;
};

// The lock between processes, held once however deeply runs nest (a preset
// run holds it from its scan to its last write): a process that took it
// twice would wait for itself. The maker takes the lock, or returns null
// when the caller already holds it (the window's operation does).
class MapsLocker {
public:
    using Maker = std::function<std::unique_ptr<patching::MapsFolderLock>()>;
    explicit MapsLocker(Maker maker) : maker_(std::move(maker)) {}

    class Hold {
    public:
        Hold() = default;
        explicit Hold(MapsLocker& locker);
        ~Hold() { release(); }
        Hold(Hold&& other) noexcept : locker_(std::exchange(other.locker_, nullptr)) {}
        Hold& operator=(Hold&&) = delete;
        void release();

    private:
        MapsLocker* locker_ = nullptr;
    };
    [[nodiscard]] Hold hold() { return Hold(*this); }
    bool held() const { return holds_ > 0; }

private:
    Maker maker_;
    std::unique_ptr<patching::MapsFolderLock> lock_;
    int holds_ = 0;
};

// A maker for a front end that locks the folder itself (quorvell-cli):
// waiting() is called once when another process holds the lock.
MapsLocker::Maker folderLock(std::filesystem::path mapsFolder, std::function<void()> waiting);

class RunRecorder;

// What every run is handed by its front end.
struct RunContext {
    MapsLocker& locker;
    LoopHooks loop = {};
    // Sees each run that writes maps before its first write and after its
    // last (the journal); null: nothing records runs.
    RunRecorder* recorder = nullptr;
};

using MapStep = std::function<void(std::size_t index, const std::filesystem::path& map)>;

// step for each map in order, under the lock. With unreadable given, an
// IoError of a step is noted there and the loop goes on; otherwise it ends
// the loop. No maps: nothing is locked.
void forEachMap(const std::vector<std::filesystem::path>& maps, RunContext& context,
                const MapStep& step, std::vector<IoError>* unreadable = nullptr);

} // namespace quorvell::session
