#include "patching/name_edits.h"

#include <stdexcept>
#include <utility>

namespace quorvell::patching {

std::uint32_t NameEdits::intern(std::string_view bytes) {
    const auto [at, added] =
        numbers_.try_emplace(std::string(bytes), static_cast<std::uint32_t>(strings_.size()));
    if (added) {
        if (strings_.size() == UINT32_MAX) {
            throw std::length_error("a plan with more distinct names than it can number");
        }
        strings_.emplace_back(bytes);
    }
    return at->second;
}

void NameEdits::add(std::uint64_t offset, std::string_view before, std::string_view after) {
    // Names next to each other mostly change alike: the previous edit's
    // strings are tried before the table.
    if (!entries_.empty()) {
        const Entry& last = entries_.back();
        if (strings_[last.before] == before && strings_[last.after] == after) {
            entries_.push_back({offset, last.before, last.after});
            return;
        }
    }
    const std::uint32_t first = intern(before);
    entries_.push_back({offset, first, intern(after)});
}

void NameEdits::swapSides() noexcept {
    for (Entry& entry : entries_) {
        std::swap(entry.before, entry.after);
    }
}

} // namespace quorvell::patching
