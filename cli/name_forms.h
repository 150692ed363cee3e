#pragma once

// Texture names the maps cannot hold, and names that are not UTF-8 carried
// through JSON and back.

#include <optional>
#include <string>
#include <string_view>

namespace quorvell::cli {

// Operands of this form name a texture by the bytes of its name in hex, as
// JSON's "nameBytes" gives them: "hex:57616c6c2e646473". No texture the game
// can load is named so (a Windows file name holds no ':').
inline constexpr std::string_view kHexNamePrefix = "hex:";

bool isUtf8(std::string_view text);
// Lowercase hex of every byte.
std::string hexBytes(std::string_view bytes);
// The name an operand stands for: the decoded bytes of a "hex:" operand, or
// the operand itself.
std::string operandName(const std::string& operand);

// Why a texture's name cannot be written into a map (it has no form in the
// ANSI code page the maps are written in); nullopt when it can.
std::optional<std::string> unwritableReason(std::string_view rowText);

} // namespace quorvell::cli
