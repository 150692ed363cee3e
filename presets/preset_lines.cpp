#include "presets/preset_lines.h"

#include <limits>
#include <stdexcept>

namespace quorvell::presets {

void PresetLines::append(std::string_view line) {
    if (line.size() > std::numeric_limits<std::uint32_t>::max() - text_.size()) {
        throw std::length_error("the preset file is larger than 4 GiB");
    }
    text_.append(line);
    ends_.push_back(static_cast<std::uint32_t>(text_.size()));
}

std::vector<std::string> PresetLines::toVector() const {
    std::vector<std::string> lines;
    lines.reserve(size());
    for (std::size_t i = 0; i < size(); ++i) {
        lines.emplace_back((*this)[i]);
    }
    return lines;
}

bool PresetLines::operator==(const std::vector<std::string>& other) const {
    if (other.size() != size()) {
        return false;
    }
    for (std::size_t i = 0; i < size(); ++i) {
        if ((*this)[i] != other[i]) {
            return false;
        }
    }
    return true;
}

} // namespace quorvell::presets
