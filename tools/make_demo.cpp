// quorvell-demo: writes a demo Wine prefix with a made-up game install and a
// Presets.ini, so the tool can be tried without the game.

#include "base/io_error.h"
#include "tools/demo_install.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;
using quorvell::tools::kDemoMarker;

int usage() {
    std::fputs("usage: quorvell-demo [--replace] FOLDER\n"
               "Writes a demo install into FOLDER (missing or empty). A demo install already\n"
               "there is kept, or written afresh with --replace; one left incomplete is\n"
               "replaced. No other folder's contents are ever removed.\n",
               stderr);
    return 2;
}

// The tool is built next to this generator; name it by its path when it is
// there, so the hint can be pasted as it stands.
std::string programBeside(const char* self) {
    std::error_code ec;
    const fs::path sibling = fs::absolute(fs::path(self), ec).parent_path() / "quorvell";
    return fs::exists(sibling, ec) ? sibling.string() : std::string("quorvell");
}

} // namespace

int main(int argc, char** argv) {
    bool replace = false;
    std::string folderArg;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--replace") {
            replace = true;
        } else if (arg == "-h" || arg == "--help" || !folderArg.empty() || arg.empty()) {
            return usage();
        } else {
            folderArg = arg;
        }
    }
    if (folderArg.empty()) {
        return usage();
    }
    const fs::path folder = fs::absolute(fs::path(folderArg));

    try {
        std::error_code ec;
        const bool occupied = fs::exists(folder, ec) && !fs::is_empty(folder, ec);
        if (occupied) {
            // Only a folder that this program wrote is ever removed.
            if (!fs::exists(folder / std::string(kDemoMarker), ec)) {
                std::fprintf(stderr,
                             "quorvell-demo: %s is not empty and holds no demo install; "
                             "nothing written\n",
                             folder.string().c_str());
                return 1;
            }
            const bool complete = fs::exists(folder / "Presets.ini", ec);
            if (complete && !replace) {
                std::printf("Demo install already in %s (pass --replace to write it afresh)\n",
                            folder.string().c_str());
                return 0;
            }
            fs::remove_all(folder);
        }
        const auto written = quorvell::tools::writeDemoInstall(folder);
        if (!written.driveLinkMade) {
            std::fputs("quorvell-demo: note: no dosdevices/c: link could be made; the tool "
                       "finds drive_c without it\n",
                       stderr);
        }
        std::printf("Demo install written to %s\n"
                    "Try:  cd '%s' && WINEPREFIX='%s/prefix' '%s' walls silent\n",
                    folder.string().c_str(), folder.string().c_str(), folder.string().c_str(),
                    programBeside(argv[0]).c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvell-demo: %s\n", e.what());
        return 1;
    }
}
