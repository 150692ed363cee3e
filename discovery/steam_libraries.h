#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::discovery {

// The library folders listed in the text of a Steam libraryfolders.vdf, in
// file order. Both layouts are read: the old one ("1" "/path") and the one
// Steam writes since 2021 ("0" { "path" "/path" ... }).
std::vector<std::filesystem::path> parseLibraryFolders(std::string_view vdf);

// The "installdir" of a Steam app manifest (steamapps/appmanifest_<id>.acf,
// the same text format): the game's folder under steamapps/common. nullopt
// when the text names none.
std::optional<std::string> parseInstallDir(std::string_view acf);

// Steam's usual install places under home (native, Flatpak, Snap) that exist,
// each once even where one is a link to another.
std::vector<std::filesystem::path> steamRoots(const std::filesystem::path& home);

// Every Steam library: each root itself, then the libraries its
// libraryfolders.vdf lists; each once.
std::vector<std::filesystem::path> steamLibraries(const std::filesystem::path& home);

} // namespace quorvell::discovery
