#include "tools/wine_registry_file.h"

namespace quorvell::tools {

namespace {

// Backslashes and quotes are escaped inside a string value.
std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

} // namespace

std::string wineGameKey(std::string_view valueLines, bool wow64) {
    std::string text =
        wow64 ? R"([Software\\Wow6432Node\\Ion Storm\\Thief - Deadly Shadows] 1700000000)"
              : R"([Software\\Ion Storm\\Thief - Deadly Shadows] 1700000000)";
    text += "\n#time=1da1c8f1e2b3a40\n";
    text += valueLines;
    text += "\n\n";
    return text;
}

std::string wineSystemReg(std::string_view body) {
    std::string text =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
    text += R"([Software\\Microsoft\\Windows NT\\CurrentVersion] 1700000000)"
            "\n#time=1da1c8f1e2b3a40\n\"ProductName\"=\"Microsoft Windows 10\"\n\n";
    text += body;
    return text;
}

std::string wineSystemRegWithGameRoot(std::string_view gameRoot) {
    return wineSystemReg(wineGameKey("\"ION_ROOT\"=\"" + escaped(gameRoot) + "\""));
}

} // namespace quorvell::tools
