#pragma once

#include <string>

namespace quorvell::app {

// The command line after the program's own name, as one UTF-8 string: on
// Windows the raw text, spaces and quotes untouched; elsewhere the arguments
// joined by single spaces.
std::string processArgumentText(int argc, char** argv);

} // namespace quorvell::app
