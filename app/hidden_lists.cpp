#include "app/hidden_lists.h"

#include "base/ansi_text.h"
#include "discovery/sorted_order.h"

#include <algorithm>

namespace quorvell::app {

void SortedList::add(std::string row) {
    const auto at = discovery::sortedInsertPosition(rows_, row);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
}

std::vector<std::string> List1::rows() const {
    SortedList sorted;
    for (const std::string& reference : references_) {
        sorted.add(ansi::toUtf8(reference));
    }
    return sorted.rows();
}

void List3::add(std::filesystem::path mapPath) {
    const auto text = [](const std::filesystem::path& p) {
        const auto u8 = p.u8string();
        return std::string(u8.begin(), u8.end());
    };
    const std::string key = text(mapPath);
    const auto at = std::upper_bound(paths_.begin(), paths_.end(), key,
                                     [&](const std::string& k, const std::filesystem::path& p) {
                                         return discovery::sortedListLess(k, text(p));
                                     });
    paths_.insert(at, std::move(mapPath));
}

} // namespace quorvell::app
