#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::discovery {

// The game's own texture file names, letter for letter.
extern const std::array<std::string_view, 88> kOriginalCatalogue;

// The game's own textures, as LoadOriginalCatalogue fills List4 with them.
std::vector<std::string> originalCatalogue();

// Exact, case-sensitive lookup.
bool isOriginalTexture(const std::vector<std::string>& list4, std::string_view name);

} // namespace quorvell::discovery
