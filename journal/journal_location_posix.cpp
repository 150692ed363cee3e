#include "journal/journal_location.h"

#include <cstdlib>

namespace quorvell::journal {

std::optional<std::filesystem::path> journalFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && *state == '/') {
        return std::filesystem::path(state) / "quorvell";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        return std::nullopt;
    }
    return std::filesystem::path(home) / ".local" / "state" / "quorvell";
}

} // namespace quorvell::journal
