#include "app/failure_policy.h"

#include "patching/maps_lock.h"

#include <utility>

namespace quorvell::app {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString describe(const std::exception& failure) {
    if (const auto* io = dynamic_cast<const IoError*>(&failure)) {
        return QStringLiteral("%1\n\n%2").arg(text(io->path()), text(io->reason()));
    }
    return QString::fromUtf8(failure.what());
}

} // namespace

FailurePolicy::FailurePolicy(Hooks hooks) : hooks_(std::move(hooks)) {}

void FailurePolicy::run(const std::function<void()>& operation, Marks afterFailure) const {
    QString stopped;
    bool mapsBusy = false;
    try {
        operation();
        return;
    } catch (const patching::MapsFolderBusy& busy) {
        mapsBusy = true;
        stopped = QStringLiteral("Quorvell changed nothing: the maps in this folder are busy.\n") +
                  describe(busy);
    } catch (const IoError& failure) {
        stopped = QStringLiteral("Quorvell stopped at this file:\n") + describe(failure);
    } catch (const std::exception& failure) {
        stopped = QStringLiteral("Quorvell stopped: ") + describe(failure);
    }
    hooks_.letGoOfMaps();
    std::vector<IoError> unreadable;
    QString rescanFailure;
    if (mapsBusy) {
        hooks_.restoreMarks();
    } else if (afterFailure == Marks::Rescanned) {
        try {
            unreadable = hooks_.rescanMarks();
        } catch (const std::exception& failure) {
            rescanFailure = describe(failure);
        }
        hooks_.letGoOfMaps();
    }
    hooks_.showError(report(stopped, unreadable, rescanFailure));
}

QString FailurePolicy::report(const QString& stopped, const std::vector<IoError>& unreadable,
                              const QString& rescanFailure) {
    QString out = stopped;
    if (!rescanFailure.isEmpty()) {
        out += QStringLiteral("\n\nThe check marks could not be read from the maps again, so they "
                              "may not show what the maps hold:\n") +
               rescanFailure;
    }
    if (!unreadable.empty()) {
        out += unreadable.size() == 1
                   ? QStringLiteral("\n\nThe check marks were read from the maps again, but this "
                                    "map could not be read, so they may not show what it holds:")
                   : QStringLiteral("\n\nThe check marks were read from the maps again, but these "
                                    "maps could not be read, so they may not show what they hold:");
        for (const IoError& map : unreadable) {
            out += QStringLiteral("\n%1 (%2)").arg(text(map.path()), text(map.reason()));
        }
    }
    return out;
}

} // namespace quorvell::app
