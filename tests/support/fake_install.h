#pragma once

// A player's machine in a temporary folder: a Wine prefix whose drive_c holds
// the game (its texture folders and maps folder), an empty home and a working
// folder for Presets.ini. The registry file is written only by
// registerGame(), so a test can also hand the install to the window directly.

#include "discovery/game_root.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace quorvell::testing {

// The environment a test runs a program with: this home and Wine prefix, no
// display, and the sanitizer options of the test's own run.
std::map<std::string, std::string> programEnvironment(const std::filesystem::path& home,
                                                      const std::filesystem::path& prefix);

class FakeInstall {
public:
    static constexpr const char* kRoot = "C:\\Game";
    static constexpr const char* kBitmaps = "Content/T3/Bitmaps";
    static constexpr const char* kDynamic = "Content/T3/PCTextures/DynamicallyLoaded";
    static constexpr const char* kSystem = "System/Data";
    static constexpr const char* kMaps = "Content/T3/Maps";

    FakeInstall();

    const std::filesystem::path& root() const { return dir_.path(); }
    std::filesystem::path prefix() const { return root() / "prefix"; }
    std::filesystem::path homeDir() const { return root() / "home"; }
    std::filesystem::path gameDir() const { return prefix() / "drive_c/Game"; }
    std::filesystem::path workingDir() const { return root() / "work"; }
    std::filesystem::path mapPath(const std::string& name) const;

    // folder is relative to the game's folder, with '/' between parts.
    void texture(const std::string& folder, const std::string& name,
                 const std::string& bytes = "DDS ") const;
    std::filesystem::path map(const std::string& name, const std::string& bytes) const;
    void presets(const std::string& text) const;
    // Writes system.reg with ION_ROOT = rootValue (a Windows path).
    void registerGame(std::string_view rootValue = kRoot) const;

    // The install as the game's search would find it.
    discovery::GameInstall install() const;
    // The environment a program runs with: this prefix and home, no display.
    std::map<std::string, std::string> environment() const;
    // Every file under root() with its bytes.
    std::map<std::string, std::string> snapshot() const;

private:
    TempDir dir_;
};

} // namespace quorvell::testing
