#pragma once

#include "tests/support/temp_dir.h"
#include "tools/wine_registry_file.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvell::testing {

using tools::wineGameKey;
using tools::wineSystemReg;

// A prefix with system.reg and an empty drive_c.
inline std::filesystem::path makeFakePrefix(const TempDir& dir,
                                            const std::filesystem::path& relative,
                                            std::string_view registryBody) {
    const auto prefix = dir.path() / relative;
    dir.write(relative / "system.reg", wineSystemReg(registryBody));
    std::filesystem::create_directories(prefix / "drive_c");
    return prefix;
}

} // namespace quorvell::testing
