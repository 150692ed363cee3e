#include "discovery/environment.h"

#include <cstdlib>

#if defined(_WIN32)
#include "base/windows_text.h"

#include <windows.h>
#endif

namespace quorvell::discovery {

namespace {

constexpr const char* kGameRootVariable = "QUORVELL_GAME_ROOT";

#if defined(_WIN32)
// The wide environment, so a folder name outside the ANSI code page survives.
std::optional<std::string> text(const char* name) {
    const std::wstring wideName = win::wideFromUtf8(name);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size <= 1) {
        return std::nullopt; // unset, or set to nothing
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    value.resize(length < size ? length : 0);
    if (value.empty()) {
        return std::nullopt;
    }
    return win::utf8FromWide(value);
}
#else
std::optional<std::string> text(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::filesystem::path> variable(const char* name) {
    if (auto value = text(name)) {
        return std::filesystem::path(*value);
    }
    return std::nullopt;
}
#endif

} // namespace

Environment Environment::fromProcess() {
    Environment env;
#if !defined(_WIN32)
    // Windows reads the registry itself and needs neither.
    env.winePrefix = variable("WINEPREFIX");
    env.home = variable("HOME");
#endif
    env.gameRoot = text(kGameRootVariable);
    return env;
}

} // namespace quorvell::discovery
