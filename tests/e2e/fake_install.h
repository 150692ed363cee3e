#pragma once

#include "tests/support/temp_dir.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::testing {

// The environment a test runs the program with: this home and Wine prefix,
// no display, and the sanitizer options of the test's own run.
std::map<std::string, std::string> programEnvironment(const std::filesystem::path& home,
                                                      const std::filesystem::path& prefix);

// A player's machine in a folder: a Wine prefix whose system.reg names a game
// under drive_c, a home folder with nothing in it, and a working folder for
// Presets.ini.
class FakeInstall {
public:
    FakeInstall();

    const std::filesystem::path& root() const { return dir_.path(); }
    std::filesystem::path prefix() const { return root() / "prefix"; }
    std::filesystem::path game() const;
    std::filesystem::path workDir() const { return root() / "work"; }

    // Writes system.reg with ION_ROOT = rootValue (Windows path). Without a
    // call there is no registry file at all.
    void registerGame(std::string_view rootValue = "C:\\Games\\Thief - Deadly Shadows");
    void addTexture(std::string_view folder, std::string_view name); // folder relative to game()
    std::filesystem::path addMap(std::string_view name, std::string_view bytes);
    void writePresets(std::string_view bytes);

    // The environment the program runs with: this prefix and home, no display.
    std::map<std::string, std::string> environment() const;

    // Every file under root() with its bytes.
    std::map<std::string, std::string> snapshot() const;

private:
    TempDir dir_;
};

} // namespace quorvell::testing
