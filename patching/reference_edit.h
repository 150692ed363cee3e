#pragma once

// The exact bytes written when a reference changes state.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvell::patching {

// The longest base name that can be switched on: B + "__overridden" must end
// inside the 64-byte window, before a NUL.
inline constexpr std::size_t kMaxSwitchOnBase = 51;

// B + "__overridden", plus a NUL when the window's byte just after is not
// already NUL, so the reference reads back as exactly that. nullopt when B is
// longer than kMaxSwitchOnBase. window is the name field as read.
std::optional<std::string> switchOnBytes(std::string_view base, std::string_view window);

// B followed by twelve NUL bytes: the plain reference, former suffix cleared.
std::string switchOffBytes(std::string_view base);

} // namespace quorvell::patching
