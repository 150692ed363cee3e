#pragma once

#include "cli/console.h"
#include "discovery/environment.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvell::cli {

// The program from its arguments (after its own name, UTF-8) to its exit
// status. Nothing escapes: every failure becomes a line on standard error.
int runCli(const std::vector<std::string>& args, Console& console,
           const std::filesystem::path& workingDir, const discovery::Environment& environment);

} // namespace quorvell::cli
