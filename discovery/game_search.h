#pragma once

// Linux: the search for the game through the places it may be installed.

#include "discovery/environment.h"
#include "discovery/game_root.h"

namespace quorvell::discovery {

// In order, the first place that holds the game wins:
// 1. ION_ROOT in the candidate Wine prefixes ($WINEPREFIX or ~/.wine, then
//    Steam's Proton prefixes of the game);
// 2. the game's own folder in each Steam library whose
//    steamapps/appmanifest_6980.acf names it (a host path: Steam's release
//    writes no ION_ROOT);
// 3. ION_ROOT in the Wine prefixes of Heroic, then Lutris, then Bottles.
// Each prefix is read once; every place passed over is noted with why.
GameInstall searchForGame(const Environment& env);

} // namespace quorvell::discovery
