#include "app/argument_text.h"
#include "presets/windows_command_line.h"

namespace quorvell::app {

// Windows hands over one raw command line; argv would have lost its spaces
// and quotes.
std::string processArgumentText(int, char**) {
    return presets::windowsArgumentText();
}

} // namespace quorvell::app
