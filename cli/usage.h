#pragma once

#include "cli/arguments.h"

#include <string>

namespace quorvell::cli {

// The help of the program (Command::None) or of one command.
std::string helpText(Command command);

// The lines printed after a usage error.
std::string usageHint();

} // namespace quorvell::cli
