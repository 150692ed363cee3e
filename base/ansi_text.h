#pragma once

#include <optional>
#include <string>
#include <string_view>

// The program keeps its text as UTF-8. The game's map files, Presets.ini and
// the registry's ANSI view use the Windows ANSI code page instead: the
// system's code page on Windows, Windows-1252 elsewhere.
namespace quorvell::ansi {

// UTF-8 to ANSI bytes; nullopt when a character has no ANSI form (such a name
// can never equal a reference in a map file).
std::optional<std::string> fromUtf8(std::string_view utf8);

// UTF-8 to ANSI bytes, each character without an ANSI form becoming '?', as
// the Windows "A" functions do.
std::string fromUtf8Lossy(std::string_view utf8);

// UTF-16 to ANSI bytes the same lossy way (registry strings arrive as UTF-16).
std::string fromUtf16Lossy(std::u16string_view utf16);

// ANSI bytes to UTF-8. Every byte has a meaning, so nothing is lost.
std::string toUtf8(std::string_view ansi);

} // namespace quorvell::ansi
