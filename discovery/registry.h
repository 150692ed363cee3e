#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvell::discovery {

inline constexpr std::uint32_t kRegSz = 1; // REG_SZ, the only type that counts

// A registry value as the ANSI registry functions hand it over: its type and
// its data bytes in the ANSI code page, terminating NUL included when the
// value was stored with one.
struct RegistryValue {
    std::uint32_t type = 0;
    std::string data;
};

// Where HKEY_LOCAL_MACHINE values come from: the Windows registry, or a Wine
// prefix's registry file.
class RegistrySource {
public:
    virtual ~RegistrySource() = default;
    // nullopt when the key or the value is missing or cannot be read.
    virtual std::optional<RegistryValue> queryLocalMachine(std::string_view subKey,
                                                           std::string_view valueName) const = 0;
};

// The reader of the game's settings: only a REG_SZ value counts, it ends at
// its first NUL, a value without NUL is taken whole; anything else gives
// fallback. The result is UTF-8.
std::string readRegistryString(const RegistrySource& source, std::string_view keyPath,
                               std::string_view valueName, std::string_view fallback = {});

} // namespace quorvell::discovery
