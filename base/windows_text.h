#pragma once

// Windows only: the boundary between the system's wide text and the
// program's UTF-8, and the system's own wording of an error code.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quorvell::win {

// Unpaired surrogates (possible in file names) become U+FFFD.
std::string utf8FromWide(std::wstring_view wide);
// Malformed UTF-8 becomes U+FFFD.
std::wstring wideFromUtf8(std::string_view utf8);
// Bytes of the given code page (CP_ACP, CP_UTF8, ...) as wide text.
std::wstring wideFromCodePage(std::uint32_t codePage, std::string_view bytes);

// A path as the program shows it: UTF-8, backslashes as stored.
std::string pathUtf8(const std::filesystem::path& path);

// FormatMessageW's text for a GetLastError() code, in UTF-8, without the
// trailing line break; "error N" when the system has no text for it.
std::string errorReason(std::uint32_t errorCode);

} // namespace quorvell::win
