#include "cli/platform.h"

#include <unistd.h>

namespace quorvell::cli {

std::vector<std::string> processArguments(int argc, char** argv) {
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

void prepareConsole() {}

} // namespace quorvell::cli
