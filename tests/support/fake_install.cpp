#include "tests/support/fake_install.h"

#include "discovery/path_mapper.h"
#include "tools/wine_registry_file.h"

#include <cstdlib>

namespace quorvell::testing {

namespace fs = std::filesystem;

FakeInstall::FakeInstall() {
    for (const char* folder : {kBitmaps, kDynamic, kSystem, kMaps}) {
        fs::create_directories(gameDir() / folder);
    }
    fs::create_directories(workingDir());
    fs::create_directories(homeDir());
}

fs::path FakeInstall::mapPath(const std::string& name) const {
    return gameDir() / kMaps / name;
}

void FakeInstall::texture(const std::string& folder, const std::string& name,
                          const std::string& bytes) const {
    dir_.write(fs::relative(gameDir() / folder / name, root()), bytes);
}

fs::path FakeInstall::map(const std::string& name, const std::string& bytes) const {
    return dir_.write(fs::relative(mapPath(name), root()), bytes);
}

void FakeInstall::presets(const std::string& text) const {
    dir_.write("work/Presets.ini", text);
}

void FakeInstall::registerGame(std::string_view rootValue) const {
    dir_.write("prefix/system.reg", tools::wineSystemRegWithGameRoot(rootValue));
}

discovery::GameInstall FakeInstall::install() const {
    discovery::GameInstall game;
    game.root = kRoot;
    game.winePrefix = prefix();
    game.paths = discovery::makeWinePathMapper(prefix());
    return game;
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

std::map<std::string, std::string> FakeInstall::environment() const {
    return programEnvironment(homeDir(), prefix());
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
