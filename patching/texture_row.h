#pragma once

#include <string>
#include <vector>

namespace quorvell::patching {

// One row of the custom texture list (List2) as the engine sees it: the file
// name as listed (UTF-8) and its check mark, in the list's order.
struct TextureRow {
    std::string text;
    bool checked = false;
};

using TextureRows = std::vector<TextureRow>;

} // namespace quorvell::patching
