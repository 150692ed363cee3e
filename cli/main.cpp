// quorvell-cli: the map engine for scripts, launchers and handhelds. It links
// the libraries below the window and nothing of Qt.

#include "base/standard_output.h"
#include "base/stop_signals.h"
#include "cli/platform.h"
#include "cli/program.h"

#include <filesystem>
#include <iostream>
#include <system_error>

int main(int argc, char** argv) {
    using namespace quorvell;
    cli::prepareConsole();
    // A stop asked for finishes the map being written (see stop_signals.h).
    catchStopSignals();
    std::error_code ec;
    std::filesystem::path workingDir = std::filesystem::current_path(ec);
    if (ec) {
        workingDir = ".";
    }
    cli::Console console{std::cout, std::cerr, cli::stderrIsTerminal()};
    const int status = cli::runCli(cli::processArguments(argc, argv), console, workingDir,
                                   discovery::Environment::fromProcess());
    return checkedStandardOutput("quorvell-cli", status);
}
