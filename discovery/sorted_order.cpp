#include "discovery/sorted_order.h"

#include "base/text_case.h"

#include <algorithm>

namespace quorvell::discovery {

namespace {

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

} // namespace

bool sortedListLess(std::string_view a, std::string_view b) {
    // ASCII lower-cases byte for byte, so it is compared in place; from the
    // first other byte on, the rest of both texts is lower-cased in full.
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t i = 0;
    for (; i < common; ++i) {
        if (((static_cast<unsigned char>(a[i]) | static_cast<unsigned char>(b[i])) & 0x80) != 0) {
            break;
        }
        const char lowerA = asciiLower(a[i]);
        const char lowerB = asciiLower(b[i]);
        if (lowerA != lowerB) {
            return lowerA < lowerB;
        }
    }
    if (i < common) {
        const std::string restA = text_case::lowerName(a.substr(i));
        const std::string restB = text_case::lowerName(b.substr(i));
        if (restA != restB) {
            return restA < restB;
        }
    } else if (a.size() != b.size()) {
        return a.size() < b.size(); // the shorter one, lower-cased, begins the other
    }
    return a < b;
}

std::size_t sortedInsertPosition(const std::vector<std::string>& rows, std::string_view text) {
    const auto at = std::upper_bound(
        rows.begin(), rows.end(), text,
        [](std::string_view value, const std::string& row) { return sortedListLess(value, row); });
    return static_cast<std::size_t>(at - rows.begin());
}

std::string sortKeyOf(std::string_view text) {
    return text_case::lowerName(text);
}

std::size_t sortedInsertPosition(const std::vector<std::string>& keys,
                                 const std::vector<std::string>& rows, std::string_view key,
                                 std::string_view text) {
    std::size_t low = 0;
    std::size_t high = rows.size();
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        const bool before = key != keys[mid] ? key < keys[mid] : text < rows[mid];
        if (before) {
            high = mid;
        } else {
            low = mid + 1;
        }
    }
    return low;
}

} // namespace quorvell::discovery
