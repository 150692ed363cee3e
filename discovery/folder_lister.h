#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvell::discovery {

// Dir1 and File1 in one: the names (UTF-8, as the file system stores them) of
// the regular files in folder that match pattern ("*.dds") without regard to
// case; hidden files, folders, FIFOs and devices left out; in sorted-list
// order. Throws IoError naming the folder when it cannot be listed.
std::vector<std::string> listFolder(const std::filesystem::path& folder, std::string_view pattern);

// Case-insensitive match of a name against a "*.ext"-style pattern ('*' and
// '?' wildcards).
bool matchesPattern(std::string_view name, std::string_view pattern);

} // namespace quorvell::discovery
