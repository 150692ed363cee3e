#include "session/messages.h"

namespace quorvell::session {

std::string_view notSwitchedOnHeading(std::size_t count) {
    return count == 1 ? "This texture could not be switched on"
                      : "These textures could not be switched on";
}

std::string unclosedBlockReason(std::string_view preset) {
    return "the block of preset \"" + std::string(preset) + "\" has no closing \"}\"";
}

std::string madeWholeText(std::string_view preset, bool removed, std::size_t count) {
    return std::string(preset) + (removed ? " removed; " : " applied; ") + std::to_string(count) +
           (count == 1 ? " texture that was on in some maps only is now on in all"
                       : " textures that were on in some maps only are now on in all");
}

void DistinctNames::add(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (seen_.insert(name).second) {
            names_.push_back(name);
        }
    }
}

} // namespace quorvell::session
