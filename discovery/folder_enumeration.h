#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quorvell::discovery {

// The platform half of listFolder: the names (UTF-8) of the entries of folder
// that are regular files (a link counts when it leads to one) and are not
// hidden (dot-files here; the hidden or system attribute on Windows), in no
// particular order. Pattern and order are applied by listFolder. Throws
// IoError naming the folder when it cannot be listed.
std::vector<std::string> listVisibleRegularFiles(const std::filesystem::path& folder);

} // namespace quorvell::discovery
