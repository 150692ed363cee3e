#include "cli/platform.h"

#include <unistd.h>

namespace quorvell::cli {

std::vector<std::string> processArguments(int argc, char** argv) {
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

std::filesystem::path programFolder() {
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : program.parent_path();
}

void prepareConsole() {}

} // namespace quorvell::cli
