#include "tests/e2e/fake_install.h"

#include <cstdlib>

namespace quorvell::testing {

namespace fs = std::filesystem;

FakeInstall::FakeInstall() {
    fs::create_directories(root() / "home");
    fs::create_directories(workDir());
    fs::create_directories(prefix() / "drive_c");
}

fs::path FakeInstall::game() const {
    return prefix() / "drive_c" / "Games" / "Thief - Deadly Shadows";
}

void FakeInstall::registerGame(std::string_view rootValue) {
    std::string escaped;
    for (const char c : rootValue) {
        if (c == '\\' || c == '"') {
            escaped += '\\';
        }
        escaped += c;
    }
    std::string reg =
        "WINE REGISTRY Version 2\n"
        ";; All keys relative to \\\\Machine\n\n"
        "#arch=win64\n\n"
        "[Software\\\\Wow6432Node\\\\Ion Storm\\\\Thief - Deadly Shadows] 1700000000\n"
        "#time=1da0b2c3d4e5f60\n"
        "\"ION_ROOT\"=\"" +
        escaped + "\"\n";
    dir_.write("prefix/system.reg", reg);
}

void FakeInstall::addTexture(std::string_view folder, std::string_view name) {
    dir_.write(fs::relative(game(), root()) / fs::path(std::string(folder)) / std::string(name),
               "DDS placeholder");
}

fs::path FakeInstall::addMap(std::string_view name, std::string_view bytes) {
    return dir_.write(fs::relative(game(), root()) / "Content" / "T3" / "Maps" / std::string(name),
                      bytes);
}

void FakeInstall::writePresets(std::string_view bytes) {
    dir_.write("work/Presets.ini", bytes);
}

std::map<std::string, std::string> FakeInstall::environment() const {
    return programEnvironment(root() / "home", prefix());
}

std::map<std::string, std::string> programEnvironment(const fs::path& home,
                                                      const fs::path& prefix) {
    std::map<std::string, std::string> env{
        {"HOME", home.string()},
        {"WINEPREFIX", prefix.string()},
        {"PATH", "/usr/bin:/bin"},
        {"LANG", "C.UTF-8"},
    };
    // Sanitizer builds need their options passed on.
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (const char* value = std::getenv(name)) {
            env[name] = value;
        }
    }
    return env;
}

std::map<std::string, std::string> FakeInstall::snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root())) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root()).string()] = readFile(entry.path());
        }
    }
    return files;
}

} // namespace quorvell::testing
