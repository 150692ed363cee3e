#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvell::discovery {

// A node of Valve's KeyValues text: either a string or a block of named
// children (names may repeat, order kept).
struct VdfNode {
    std::string value;
    std::vector<std::pair<std::string, VdfNode>> children;
    bool isBlock = false;

    // The first child named name, without regard to case.
    const VdfNode* child(std::string_view name) const;
};

// The top-level entries of the text as one block. nullopt when the text is
// not KeyValues (unbalanced braces, a name without value, nesting too deep).
std::optional<VdfNode> parseVdf(std::string_view text);

} // namespace quorvell::discovery
