#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::discovery {

// A node of Valve's KeyValues text: either a string or a block of named
// children (names may repeat, order kept).
// A pair would need the node complete where the node itself is declared,
// which not every standard library allows; a struct of its own may wait.
struct VdfChild;

struct VdfNode {
    std::string value;
    std::vector<VdfChild> children;
    bool isBlock = false;

    // The first child named name, without regard to case.
    const VdfNode* child(std::string_view name) const;
};

struct VdfChild {
    std::string name;
    VdfNode node;
};

// The top-level entries of the text as one block. nullopt when the text is
// not KeyValues (unbalanced braces, a name without value, nesting too deep).
std::optional<VdfNode> parseVdf(std::string_view text);

} // namespace quorvell::discovery
