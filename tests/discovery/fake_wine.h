#pragma once

#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvell::testing {

// The game's key as Wine writes it into system.reg, under the 32-bit view or
// the native one.
inline std::string wineGameKey(std::string_view valueLines, bool wow64 = true) {
    std::string text =
        wow64 ? R"([Software\\Wow6432Node\\Ion Storm\\Thief - Deadly Shadows] 1700000000)"
              : R"([Software\\Ion Storm\\Thief - Deadly Shadows] 1700000000)";
    text += "\n#time=1da1c8f1e2b3a40\n";
    text += valueLines;
    text += "\n\n";
    return text;
}

inline std::string wineSystemReg(std::string_view body) {
    std::string text =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
    text += R"([Software\\Microsoft\\Windows NT\\CurrentVersion] 1700000000)"
            "\n#time=1da1c8f1e2b3a40\n\"ProductName\"=\"Microsoft Windows 10\"\n\n";
    text += body;
    return text;
}

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
