#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::discovery {

// The game's own texture file names, letter for letter.
extern const std::array<std::string_view, 88> kOriginalCatalogue;

// List4 as LoadOriginalCatalogue fills it.
std::vector<std::string> LoadOriginalCatalogue();

// Exact, case-sensitive lookup.
bool isOriginalTexture(const std::vector<std::string>& list4, std::string_view name);

} // namespace quorvell::discovery
