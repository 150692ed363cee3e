#pragma once

// What the window does when an operation fails: the player is told in one
// box, and the check marks are brought back in line with the maps, since
// maps rewritten before the failure stay rewritten.

#include "base/io_error.h"

#include <QtCore/QString>
#include <functional>
#include <vector>

namespace quorvell::app {

class FailurePolicy {
public:
    struct Hooks {
        // Before any box: the maps lock goes, so another Quorvell need not
        // wait for the player.
        std::function<void()> letGoOfMaps;
        // Takes the check marks afresh from every map that can be read and
        // returns the maps that could not; throws when it cannot start.
        std::function<std::vector<IoError>()> rescanMarks;
        // The check marks as they were before the operation.
        std::function<void()> restoreMarks;
        std::function<void(const QString& text)> showError;
    };

    // After a failure: whether the check marks can be wrong now (a map was
    // rewritten or a scan stopped half-way) and are read from the maps again.
    enum class Marks { Kept, Rescanned };

    explicit FailurePolicy(Hooks hooks);

    // Runs operation and deals with any failure it throws. A wait for the
    // maps that ran out touched nothing, so the marks are put back as they
    // were instead of read again (which would wait once more).
    void run(const std::function<void()>& operation, Marks afterFailure) const;

    // The box: the file that stopped the run and why, then the maps the
    // rescan could not read (or why it could not run).
    static QString report(const QString& stopped, const std::vector<IoError>& unreadable,
                          const QString& rescanFailure = {});

private:
    Hooks hooks_;
};

} // namespace quorvell::app
