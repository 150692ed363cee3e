#include "app/argument_text.h"
#include "presets/command_line.h"

#include <vector>

namespace quorvell::app {

std::string processArgumentText(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    return presets::argumentTextFromArgs(args);
}

} // namespace quorvell::app
