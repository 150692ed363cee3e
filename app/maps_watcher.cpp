#include "app/maps_watcher.h"

namespace quorvell::app {

namespace {
QString pathOf(const std::filesystem::path& path) {
    return QString::fromStdWString(path.wstring());
}
} // namespace

MapsWatcher::MapsWatcher(QObject* parent) : QObject(parent) {
    // Long enough for a writer's burst of maps to settle, short enough to
    // follow within a second.
    settle_.setInterval(200);
    settle_.setSingleShot(true);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, [this] {
        rewatch();
        recheck();
    });
}

void MapsWatcher::watch(const std::vector<std::filesystem::path>& maps) {
    if (maps != maps_) {
        if (!watcher_.files().isEmpty() || !watcher_.directories().isEmpty()) {
            watcher_.removePaths(watcher_.files() + watcher_.directories());
        }
        maps_ = maps;
    }
    rewatch();
    remember();
}

// A map replaced by renaming another file over it is no longer watched.
void MapsWatcher::rewatch() {
    QStringList missing;
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!maps_.empty() && !watched.contains(pathOf(maps_.front().parent_path()))) {
        missing << pathOf(maps_.front().parent_path());
    }
    for (const auto& map : maps_) {
        if (!watched.contains(pathOf(map))) {
            missing << pathOf(map);
        }
    }
    if (!missing.isEmpty()) {
        watcher_.addPaths(missing); // a map that is gone stays unwatched
    }
}

void MapsWatcher::remember() {
    known_ = stamps();
}

void MapsWatcher::recheck() {
    if (stamps() != known_) {
        emit changedOutside();
    }
}

std::vector<MapsWatcher::Stamp> MapsWatcher::stamps() const {
    std::vector<Stamp> out;
    out.reserve(maps_.size());
    for (const auto& map : maps_) {
        std::error_code error;
        Stamp stamp;
        stamp.size = std::filesystem::file_size(map, error);
        stamp.exists = !error;
        if (stamp.exists) {
            stamp.time = std::filesystem::last_write_time(map, error);
        }
        out.push_back(stamp);
    }
    return out;
}

} // namespace quorvell::app
