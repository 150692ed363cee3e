#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace quorvell::discovery {

// The library folders listed in the text of a Steam libraryfolders.vdf, in
// file order. Both layouts are read: the old one ("1" "/path") and the one
// Steam writes since 2021 ("0" { "path" "/path" ... }).
std::vector<std::filesystem::path> parseLibraryFolders(std::string_view vdf);

// Steam's usual install places under home (native, Flatpak, Snap) that exist,
// each once even where one is a link to another.
std::vector<std::filesystem::path> steamRoots(const std::filesystem::path& home);

// Every Steam library: each root itself, then the libraries its
// libraryfolders.vdf lists; each once.
std::vector<std::filesystem::path> steamLibraries(const std::filesystem::path& home);

} // namespace quorvell::discovery
