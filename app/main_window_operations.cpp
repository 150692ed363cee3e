#include "app/list_notice.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "session/messages.h"
#include "session/runs.h"

#include <QtCore/QCoreApplication>
#include <iostream>
#include <utility>

namespace quorvell::app {

void Form1::runOperation(const std::function<void()>& action, FailurePolicy::Marks afterFailure) {
    runOperation(action, afterFailure, List2->marks());
}

void Form1::runOperation(const std::function<void()>& action, FailurePolicy::Marks afterFailure,
                         std::vector<bool> marksBefore) {
    gate_.run([&] {
        // Held until every box of the operation has been answered, so a close
        // request waits for the player to read them.
        const WorkingState::Hold hold = working_.hold();
        marksBefore_ = std::move(marksBefore);
        runFailedPartWay_ = false;
        failures_.run(
            [&] {
                try {
                    action();
                } catch (const session::RunFailed&) {
                    runFailedPartWay_ = true;
                    throw;
                }
            },
            afterFailure);
    });
    runFailedPartWay_ = false;
    if (std::exchange(undoAfterFailure_, false)) {
        undoLastRun();
    }
    // A rescan after a failure that could not read the marks leaves them
    // unread: the list stays off until they are.
    if (!marksRead_ && !awaitingScan_.held() && !ended_ && !commandLineMode()) {
        awaitingScan_ = working_.hold();
        listNotice_->showFailure(QStringLiteral(
            "The check marks could not be read from the maps, so nothing can be switched yet."));
    }
}

// Every map it can read, from empty marks: a map that fails is noted and the
// maps after it still count.
std::vector<IoError> Form1::rescanCheckMarks() {
    const WorkingState::Hold hold = working_.hold();
    List2->clearAllChecks();
    std::vector<IoError> unreadable;
    marksRead_ = false;
    scanAllMaps(&unreadable);
    marksRead_ = true;
    return unreadable;
}

// The maps folder is the one the listing found them in.
std::unique_ptr<patching::MapsFolderLock> Form1::takeMapsLock() {
    if (List3.count() == 0) {
        return nullptr;
    }
    struct Notice {
        Form1& form;
        bool shown = false;
        ~Notice() {
            if (shown) {
                form.showWaitingForMaps(false);
            }
        }
    } notice{*this};
    patching::LockWaitHooks hooks;
    hooks.waiting = [&notice] {
        notice.shown = true;
        notice.form.showWaitingForMaps(true);
    };
    hooks.poll = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };
    return std::make_unique<patching::MapsFolderLock>(List3.path(0).parent_path(), hooks,
                                                      setup_.mapsLockTimeout);
}

void Form1::showWaitingForMaps(bool waiting) {
    const std::string notice(session::kWaitingForMaps);
    if (commandLineMode()) {
        if (waiting) {
            printErr(notice);
        }
        form2_->setNotice(waiting ? QString::fromStdString(notice) : QString());
        return;
    }
    // Over the list, with the folder, and in the ticker; once the wait is
    // over the status text follows.
    tickerText_ = waiting ? std::string(5, ' ') + notice + std::string(5, ' ') : std::string();
    if (waiting) {
        setWindowTitle(QString::fromStdString(tickerText_));
        listNotice_->showWaiting(
            QStringLiteral("%1\n\n%2")
                .arg(QString::fromStdString(notice),
                     QString::fromStdWString(List3.path(0).parent_path().wstring())));
    } else {
        listNotice_->endWaiting();
    }
}

void Form1::showMessage(bool error, const QString& title, const QString& text) {
    gate_.letGoOfMaps(); // nobody waits for the player to answer
    MessageBoxes::show(isVisible() ? this : nullptr, error ? BoxIcon::Error : BoxIcon::Information,
                       title, text);
}

void Form1::printOut(const std::string& line) const {
    if (setup_.printOut) {
        setup_.printOut(line);
    } else {
        std::cout << line << std::endl;
    }
}

void Form1::printErr(const std::string& line) const {
    if (setup_.printErr) {
        setup_.printErr(line);
    } else {
        std::cerr << line << std::endl;
    }
}

} // namespace quorvell::app
