#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quorvell::discovery {

// A value as Wine keeps it, which is what the wide registry functions see:
// strings (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) as UTF-16LE bytes, the rest
// as raw bytes.
struct WineRegistryValue {
    std::uint32_t type = 0;
    std::string data;
};

// Keys by their lower-cased path (UTF-8, single backslashes, no leading or
// trailing one), values by their lower-cased name ("" for the default value).
using WineRegistryKeys = std::map<std::string, std::map<std::string, WineRegistryValue>>;

// Reads the text of a Wine registry file (system.reg, user.reg). nullopt when
// the text does not start with Wine's header line. Lines Wine itself would
// reject are skipped, so one damaged entry does not hide the rest.
std::optional<WineRegistryKeys> parseWineRegistry(std::string_view text);

// A key path as the lookup compares it: lower-cased, separators tidied.
std::string normalizedKeyPath(std::string_view path);

} // namespace quorvell::discovery
