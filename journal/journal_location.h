#pragma once

// Where a maps folder's journal lives: per user, one file per maps folder,
// named from the folder's canonical path (which the file also holds in clear).
// Linux: $XDG_STATE_HOME/quorvell/ (default ~/.local/state/quorvell/);
// Windows: %LOCALAPPDATA%\Quorvell\.

#include <filesystem>
#include <optional>

namespace quorvell::journal {

// The folder the journals live in; nullopt when the environment names none
// (no HOME, no LOCALAPPDATA).
std::optional<std::filesystem::path> journalFolder();

// The journal's file name for a maps folder: a hash of its canonical path.
std::filesystem::path journalFileName(const std::filesystem::path& mapsFolder);

// The maps folder as the journal names it: canonical when it exists.
std::filesystem::path canonicalMapsFolder(const std::filesystem::path& mapsFolder);

// True when QUORVELL_NO_JOURNAL=1 turns the journal off.
bool journalDisabled();

} // namespace quorvell::journal
