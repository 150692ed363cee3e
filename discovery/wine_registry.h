#pragma once

#include "discovery/registry.h"
#include "discovery/wine_registry_format.h"

#include <filesystem>
#include <string_view>

namespace quorvell::discovery {

// HKEY_LOCAL_MACHINE of a Wine prefix, read from its system.reg. A 32-bit
// program in a 64-bit prefix sees HKLM\Software through Wow6432Node, so a
// query under Software looks there first and then in the key itself. Values
// come back as the ANSI functions would give them.
class WineRegistryFile final : public RegistrySource {
public:
    // A missing, unreadable or damaged file holds nothing.
    explicit WineRegistryFile(const std::filesystem::path& systemReg);
    static WineRegistryFile fromText(std::string_view text);
    static WineRegistryFile fromKeys(WineRegistryKeys keys);

    std::optional<RegistryValue> queryLocalMachine(std::string_view subKey,
                                                   std::string_view valueName) const override;

private:
    WineRegistryFile() = default;
    WineRegistryKeys keys_;
};

} // namespace quorvell::discovery
