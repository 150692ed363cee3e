#pragma once

#include "tools/demo_map.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A demo Wine prefix with a made-up game install, so the tool can be seen at
// work without the game. Everything is generated here; nothing comes from the
// game or any other tool.
namespace quorvell::tools {

// The file that marks a folder as written by the generator.
inline constexpr std::string_view kDemoMarker = "quorvell-demo.txt";
inline constexpr std::string_view kDemoGameRoot = "C:\\Games\\Thief - Deadly Shadows";

struct DemoTexture {
    std::string folder; // relative to the game root, with '/' between parts
    std::string name;
};

struct DemoMap {
    std::string fileName;
    std::vector<DemoRecord> records;
};

std::vector<DemoTexture> demoTextures();
std::vector<DemoMap> demoMaps();
std::string demoPresetsIni(); // CR LF line ends, as a Windows editor saves it
std::string demoSystemReg();

// Where the pieces go under the demo folder.
std::filesystem::path demoPrefix(const std::filesystem::path& folder);
std::filesystem::path demoGameRoot(const std::filesystem::path& folder);

// Writes the demo into folder, creating it; folder must be missing or empty.
// The dosdevices link for C: is left out where links cannot be made (the tool
// then finds drive_c by itself); the result says whether it was made.
// Throws IoError naming the file that could not be written.
struct DemoWritten {
    bool driveLinkMade = false;
};
DemoWritten writeDemoInstall(const std::filesystem::path& folder);

} // namespace quorvell::tools
