#include "session/messages.h"

namespace quorvell::session {

std::string_view notSwitchedOnHeading(std::size_t count) {
    return count == 1 ? "This texture could not be switched on"
                      : "These textures could not be switched on";
}

std::string unclosedBlockReason(std::string_view preset) {
    return "the block of preset \"" + std::string(preset) + "\" has no closing \"}\"";
}

void DistinctNames::add(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (seen_.insert(name).second) {
            names_.push_back(name);
        }
    }
}

} // namespace quorvell::session
