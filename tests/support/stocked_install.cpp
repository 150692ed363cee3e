#include "tests/support/stocked_install.h"

#include "tests/support/map_builder.h"

namespace quorvell::testing {

namespace fs = std::filesystem;

namespace {
const std::string kLongBase = "Tapestry_of_the_first_keeper_council_woven_in_gold_and";
} // namespace

void stockInstall(const FakeInstall& install) {
    install.registerGame();
    install.texture(FakeInstall::kBitmaps, "Wall_brick01.dds");
    install.texture(FakeInstall::kBitmaps, "Wall_brick02.dds");
    install.texture(FakeInstall::kBitmaps, "Moss.dds");
    install.texture(FakeInstall::kBitmaps, "HDMAP_City.dds"); // the game's own
    install.texture(FakeInstall::kDynamic, "Floor_wood.dds");
    install.texture(FakeInstall::kDynamic, kLongBase + ".dds");
    install.texture(FakeInstall::kSystem, "Window_glass.dds");
    install.texture(FakeInstall::kSystem, "Moss.dds");
    install.texture(FakeInstall::kSystem, "Auldale1.dds"); // the game's own
    install.map("m1.ibt", MapBuilder()
                              .texture("Wall_brick01")
                              .texture("Floor_wood__overridden")
                              .texture("Auldale1")
                              .record(0x03, "Wall_brick01")
                              .texture("Moss__overridden")
                              .texture(kLongBase)
                              .texture("Wall_brick01")
                              .end()
                              .tail(3000)
                              .bytes());
    install.map("M2.IBT", MapBuilder()
                              .texture("Wall_brick02__overridden")
                              .texture("wall_brick01") // another case: no texture's
                              .texture("Window_glass__overridden")
                              .texture("Moss")
                              .texture("Floor_wood")
                              .end(0x01)
                              .tail(700)
                              .bytes());
    install.map("m3.ibt", mapOfTextures({"Window_glass", "Wall_brick02", "HDMAP_City"}, 100));
    install.map("readme.ibt", "NOTAMAP" + std::string(2000, 'x'));
    install.presets("walls{\r\nWall_brick01.dds\r\nWall_brick02.dds\r\nDoor_iron.dds\r\n}\r\n"
                    "no textures{\r\nxbrick\r\n}\r\n"
                    "all textures{\r\n*\r\n}\r\n"
                    "glass only{\r\nxbrick\r\nWindow_glass.dds\r\n}\r\n");
}

std::map<std::string, std::string> mapsOf(const FakeInstall& install) {
    std::map<std::string, std::string> maps;
    for (const auto& entry : fs::directory_iterator(install.gameDir() / FakeInstall::kMaps)) {
        maps[entry.path().filename().string()] = readFile(entry.path());
    }
    return maps;
}

} // namespace quorvell::testing
