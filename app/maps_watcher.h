#pragma once

// Notices changes to the maps made by another program (another Quorvell,
// quorvell-cli, a script) while the window is idle. The maps folder and its
// map files are watched, never polled; a burst of changes is reported once,
// after it settles, and only when the maps differ (size or time) from what
// the window last remembered as its own: its own writes never come back as
// an outside change.

#include <QtCore/QFileSystemWatcher>
#include <QtCore/QObject>
#include <QtCore/QTimer>
#include <filesystem>
#include <vector>

namespace quorvell::app {

class MapsWatcher : public QObject {
    Q_OBJECT
public:
    explicit MapsWatcher(QObject* parent);

    // Watches these maps and their folder; remembers them as they are now.
    void watch(const std::vector<std::filesystem::path>& maps);
    // The maps as they are now are the window's own doing (or were read).
    void remember();
    // Reports changedOutside if the maps differ from what was remembered.
    void recheck();

signals:
    void changedOutside();

private:
    struct Stamp {
        bool exists = false;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        bool operator==(const Stamp&) const = default;
    };
    std::vector<Stamp> stamps() const;
    void rewatch();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    std::vector<std::filesystem::path> maps_;
    std::vector<Stamp> known_;
};

} // namespace quorvell::app
