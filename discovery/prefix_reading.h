#pragma once

#include <filesystem>
#include <string>

namespace quorvell::discovery {

// What one Wine prefix says about the game.
struct PrefixReading {
    std::filesystem::path prefix; // the prefix read (a launcher's folder, or its pfx/)
    std::string root;             // ION_ROOT (UTF-8); empty when the prefix has none
    std::string whyNot;           // when root is empty: why, in a player's words
};

// Reads ION_ROOT from the prefix's system.reg. A launcher folder that holds no
// system.reg but a pfx/ that does (Proton's layout, which Heroic also uses) is
// read through pfx/.
PrefixReading readPrefix(const std::filesystem::path& prefix);

} // namespace quorvell::discovery
