#pragma once

// What the commands share: the maps lock, the progress line, the install.

#include "cli/commands.h"
#include "cli/progress.h"
#include "session/install.h"
#include "session/map_loop.h"

namespace quorvell::cli {

session::MapsLocker locker(const session::Install& install, Console& console);
session::LoopHooks progressHooks(Progress& progress, const char* what);
session::Install openAndWarn(const SessionOptions& options, Console& console);

} // namespace quorvell::cli
