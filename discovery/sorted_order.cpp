#include "discovery/sorted_order.h"

#include "base/text_case.h"

#include <algorithm>

namespace quorvell::discovery {

bool sortedListLess(std::string_view a, std::string_view b) {
    const std::string lowerA = text_case::lowerName(a);
    const std::string lowerB = text_case::lowerName(b);
    if (lowerA != lowerB) {
        return lowerA < lowerB;
    }
    return a < b;
}

std::size_t sortedInsertPosition(const std::vector<std::string>& rows, std::string_view text) {
    const auto at = std::upper_bound(
        rows.begin(), rows.end(), text,
        [](std::string_view value, const std::string& row) { return sortedListLess(value, row); });
    return static_cast<std::size_t>(at - rows.begin());
}

} // namespace quorvell::discovery
