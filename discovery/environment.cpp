#include "discovery/environment.h"

#include <cstdlib>

namespace quorvell::discovery {

namespace {

#if !defined(_WIN32)
std::optional<std::filesystem::path> variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::filesystem::path(value);
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
    return env;
}

} // namespace quorvell::discovery
