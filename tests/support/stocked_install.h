#pragma once

// An install stocked the same way for every front end, so that their runs can
// be compared byte for byte.

#include "tests/support/fake_install.h"

#include <map>
#include <string>

namespace quorvell::testing {

// Registers the game and writes custom textures in each texture folder (one
// name in two folders, one too long to switch on), two of the game's own,
// maps where some textures are on in one map and off in another (references
// in another case, a record of another kind, a map that is no map), and a
// Presets.ini with a plain preset, "*", "xbrick" and names it lacks.
void stockInstall(const FakeInstall& install);

// The maps folder's files (file name -> bytes).
std::map<std::string, std::string> mapsOf(const FakeInstall& install);

} // namespace quorvell::testing
