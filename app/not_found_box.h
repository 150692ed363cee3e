#pragma once

// The box shown when the game was not found: where Quorvell looked and why
// each place was passed over, and a way forward, "Choose the game folder…".

#include "discovery/game_root.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace quorvell::app {

class NotFoundBox {
public:
    // looked: the places the search passed over; otherProblems: anything
    // else start-up could not read. Returns the game in the folder the player
    // chose, which must hold Content\T3\Maps (any case), or nullopt once the
    // box is closed. The window remembers the choice for the next start.
    static std::optional<discovery::GameInstall>
    ask(QWidget* parent, const std::vector<discovery::PassedOver>& looked,
        const QStringList& otherProblems);

    // The folder dialog once: the game in the folder chosen, or nullopt when
    // cancelled or (after a box saying why) when it is not the game's folder.
    static std::optional<discovery::GameInstall> choose(QWidget* parent);

    // Test seam: stands in for the folder dialog; returns the folder chosen,
    // empty when cancelled. None: the system's dialog.
    static void setFolderDialog(std::function<QString(QWidget* parent)> dialog);
};

} // namespace quorvell::app
