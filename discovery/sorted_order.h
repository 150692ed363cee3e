#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvell::discovery {

// The order of every sorted list of the program: by lower-cased text, and
// rows equal that way by their exact text.
bool sortedListLess(std::string_view a, std::string_view b);

// Index at which a sorted list inserts text (after equal rows).
std::size_t sortedInsertPosition(const std::vector<std::string>& rows, std::string_view text);

// A row's lower-cased text, worked out once: a list that keeps each row's key
// compares rows without decoding either of them.
std::string sortKeyOf(std::string_view text);

// sortedInsertPosition for a list that keeps keys[i] = sortKeyOf(rows[i]).
std::size_t sortedInsertPosition(const std::vector<std::string>& keys,
                                 const std::vector<std::string>& rows, std::string_view key,
                                 std::string_view text);

} // namespace quorvell::discovery
