#pragma once

// The box shown when the game was not found: where Quorvell looked and why
// each place was passed over, and a way forward, "Choose the game folder…".

#include "discovery/game_root.h"

#include <QtCore/QString>
#include <functional>
#include <optional>

class QWidget;

namespace quorvell::app {

class NotFoundBox {
public:
    // report: what start-up could not find or read, as the player reads it.
    // Returns the game in the folder the player chose, which must hold
    // Content\T3\Maps (any case), or nullopt once the box is closed. The
    // choice holds for this run only: nothing is stored, and the box says
    // how to make it stick.
    static std::optional<discovery::GameInstall> ask(QWidget* parent, const QString& report);

    // Test seam: stands in for the folder dialog; returns the folder chosen,
    // empty when cancelled. None: the system's dialog.
    static void setFolderDialog(std::function<QString(QWidget* parent)> dialog);
};

} // namespace quorvell::app
