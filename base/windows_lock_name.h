#pragma once

// Windows only: the name of the mutex that locks a file or folder, one name
// however its path is spelt.

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvell::win {

// "Local\Quorvell-<kind>-<hash>": the full path in lower case, as the file
// system compares names, hashed (FNV-1a) because a mutex name may hold no
// backslash and is limited in length. Local: the processes of one session.
std::wstring lockName(std::wstring_view kind, const std::filesystem::path& path);

} // namespace quorvell::win
