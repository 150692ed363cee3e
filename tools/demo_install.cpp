#include "tools/demo_install.h"

#include "base/io_error.h"
#include "tools/demo_pictures.h"
#include "tools/wine_registry_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace quorvell::tools {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBitmaps = "Content/T3/Bitmaps";
constexpr std::string_view kDynamic = "Content/T3/PCTextures/DynamicallyLoaded";
constexpr std::string_view kSystemData = "System/Data";
constexpr std::string_view kMaps = "Content/T3/Maps";

std::string pathText(const fs::path& path) {
    const auto u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec) {
        throw IoError(pathText(path.parent_path()), ec.message());
    }
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw IoError(pathText(path), errno != 0 ? systemReason(errno) : "cannot be written");
    }
}

DemoRecord tex(std::string name) {
    return DemoRecord{kTextureKind, std::move(name)};
}
DemoRecord other(std::string name) {
    return DemoRecord{0x05, std::move(name)};
}

std::string readme(const fs::path& folder) {
    const std::string dir = pathText(folder);
    return "A demo install for Quorvell, written by quorvell-demo: a Wine prefix\n"
           "(prefix/) whose registry names a made-up game under drive_c, and the\n"
           "presets \"no textures\", \"all textures\" and \"walls\" in Presets.ini.\n\n"
           "Open the tool on it:\n"
           "  cd '" +
           dir + "' && WINEPREFIX='" + dir +
           "/prefix' quorvell\n"
           "Apply the walls preset without a window or message:\n"
           "  cd '" +
           dir + "' && WINEPREFIX='" + dir + "/prefix' quorvell walls silent\n";
}

} // namespace

std::vector<DemoTexture> demoTextures() {
    return {
        {std::string(kBitmaps), "Wall_brick01.dds"},
        {std::string(kBitmaps), "Wall_brick02.dds"},
        {std::string(kBitmaps), "Auldale1.dds"},
        {std::string(kDynamic), "Floor_wood.dds"},
        {std::string(kDynamic), "Window_glass.dds"},
        {std::string(kDynamic), "HDMAP_City.dds"},
        {std::string(kSystemData), "Door_oak.dds"},
        {std::string(kSystemData), "Roof_slate.DDS"},
        {std::string(kSystemData), "loading3.DDS"},
        // Not a texture: the listing must pass it over.
        {std::string(kSystemData), "notes.txt"},
    };
}

std::vector<DemoMap> demoMaps() {
    return {
        {"Demo_Docks.ibt",
         {tex("Wall_brick01"), tex("Floor_wood__overridden"), tex("Auldale1"), tex("Window_glass"),
          other("Wall_brick02"), tex("stone_generic"), tex("Wall_brick01")}},
        {"Demo_Market.ibt",
         {tex("Wall_brick02__overridden"), tex("Roof_slate"), tex("HDMAP_City"), tex("Door_oak"),
          tex("Wall_brick01")}},
        {"Demo_Keep.ibt",
         {tex("Door_oak__overridden"), tex("Wall_brick01"), tex("Window_glass__overridden"),
          tex("loading3"), tex("wall_brick02")}},
    };
}

std::string demoPresetsIni() {
    const char* lines[] = {
        "no textures{",     "xbrick",           "}", "all textures{", "*", "}", "walls{",
        "Wall_brick01.dds", "Wall_brick02.dds", "}",
    };
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

fs::path demoPrefix(const fs::path& folder) {
    return folder / "prefix";
}

fs::path demoGameRoot(const fs::path& folder) {
    return demoPrefix(folder) / "drive_c" / "Games" / "Thief - Deadly Shadows";
}

DemoWritten writeDemoInstall(const fs::path& folder) {
    std::error_code ec;
    if (fs::exists(folder, ec) && !fs::is_empty(folder, ec)) {
        throw IoError(pathText(folder), "is not empty");
    }
    const fs::path prefix = demoPrefix(folder);
    const fs::path game = demoGameRoot(folder);

    // The marker goes first, so even a demo cut short is known as ours and
    // may be replaced; Presets.ini goes last, so its presence means complete.
    writeFile(folder / std::string(kDemoMarker), readme(fs::absolute(folder)));
    writeFile(prefix / "system.reg", wineSystemRegWithGameRoot(kDemoGameRoot));
    for (const auto& texture : demoTextures()) {
        const fs::path path = game / fs::path(texture.folder) / texture.name;
        writeFile(path,
                  texture.name.ends_with(".txt") ? "demo notes\n" : demoTextureFile(texture.name));
    }
    for (const auto& map : demoMaps()) {
        writeFile(game / fs::path(kMaps) / map.fileName, demoMapBytes(map.records));
    }
    DemoWritten written;
    fs::create_directories(prefix / "dosdevices", ec);
    if (!ec) {
        fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:", ec);
        written.driveLinkMade = !ec;
    }
    writeFile(folder / "Presets.ini", demoPresetsIni());
    return written;
}

} // namespace quorvell::tools
