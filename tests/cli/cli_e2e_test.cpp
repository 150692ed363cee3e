// quorvell-cli on the demo install: the same map bytes as the window's own
// command line, dry runs that write nothing and count right, on and off as
// states, JSON that scripts can read, and the exit statuses.

#include "patching/record_walk.h"
#include "tests/e2e/run_program.h"
#include "tests/support/fake_install.h"
#include "tools/dds_file.h"
#include "tools/demo_install.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

namespace quorvell::testing {
namespace {

namespace fs = std::filesystem;
using Maps = std::map<std::string, std::string>; // file name -> bytes
using nlohmann::json;

class Demo {
public:
    Demo() {
        tools::writeDemoInstall(folder());
        fs::create_directories(dir_.path() / "home");
    }
    fs::path folder() const { return dir_.path() / "demo"; }

    // winePrefix false: no WINEPREFIX, so only --prefix can name the prefix.
    ProgramRun run(const char* program, const std::vector<std::string>& args,
                   bool winePrefix = true) const {
        auto env = programEnvironment(dir_.path() / "home", tools::demoPrefix(folder()));
        if (!winePrefix) {
            env.erase("WINEPREFIX");
        }
        return runProgram(program, args, folder(), env);
    }
    ProgramRun cli(const std::vector<std::string>& args, bool winePrefix = true) const {
        return run(QUORVELL_CLI, args, winePrefix);
    }

    Maps maps() const {
        Maps maps;
        for (const auto& e :
             fs::directory_iterator(tools::demoGameRoot(folder()) / "Content/T3/Maps")) {
            maps[e.path().filename().string()] = readFile(e.path());
        }
        return maps;
    }

private:
    TempDir dir_;
};

// How many 64-byte name fields of the texture table differ between two maps.
std::size_t changedNames(const std::string& a, const std::string& b) {
    std::size_t changed = 0;
    for (std::uint64_t at = patching::kFirstNameOffset; at + patching::kNameWindow <= a.size();
         at += patching::kRecordStride) {
        changed += a.compare(at, patching::kNameWindow, b, at, patching::kNameWindow) != 0;
    }
    return changed;
}

json parsed(const ProgramRun& run) {
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    return json::parse(run.out);
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

TEST(QuorvellCli, ApplyAndRemoveWriteWhatTheWindowsCommandLineWrites) {
    const Maps fresh = Demo().maps();
    bool changedAny = false;
    for (const std::string preset : {"walls", "all textures", "no textures"}) {
        for (const bool remove : {false, true}) {
            const Demo byWindow, byCli;
            auto args = words(preset);
            args.push_back("silent");
            if (remove) {
                args.push_back("disable");
            }
            const auto window = byWindow.run(QUORVELL_PROGRAM, args);
            const auto cli = byCli.cli({remove ? "remove" : "apply", preset});
            ASSERT_EQ(window.exitStatus, 0) << window.err;
            ASSERT_EQ(cli.exitStatus, 0) << cli.err;
            EXPECT_EQ(byCli.maps(), byWindow.maps()) << preset << (remove ? " removed" : "");
            changedAny = changedAny || byCli.maps() != fresh;
        }
    }
    EXPECT_TRUE(changedAny);
}

// The same name in two texture folders: both rows carry one mark, so a run
// that does not name it leaves it as it is.
TEST(QuorvellCli, ARunLeavesTwinsAsTheyAre) {
    const Demo demo;
    std::ofstream(tools::demoGameRoot(demo.folder()) / "Content/T3/Bitmaps/Door_oak.dds") << "twin";
    for (const auto& command :
         {std::vector<std::string>{"apply", "walls"}, {"on", "Door_oak.dds"}}) {
        ASSERT_EQ(demo.cli(command).exitStatus, 0);
    }
    const Maps before = demo.maps();
    ASSERT_EQ(demo.cli({"apply", "walls"}).exitStatus, 0);
    EXPECT_EQ(demo.maps(), before);
}

TEST(QuorvellCli, DryRunWritesNothingAndCountsWhatTheRealRunChanges) {
    for (const std::vector<std::string>& command : {std::vector<std::string>{"apply", "walls"},
                                                    {"remove", "walls"},
                                                    {"off", "Window_glass.dds", "Door_oak.dds"}}) {
        const Demo demo;
        const Maps before = demo.maps();
        auto args = command;
        args.insert(args.end(), {"--dry-run", "--json"});
        const json dry = parsed(demo.cli(args));
        EXPECT_EQ(demo.maps(), before) << "a dry run wrote";
        EXPECT_TRUE(dry["dryRun"].get<bool>());

        ASSERT_EQ(demo.cli(command).exitStatus, 0);
        const Maps after = demo.maps();
        std::map<std::string, std::size_t> counted;
        for (const auto& map : dry["maps"]) {
            counted[map["name"]] = map["references"];
        }
        std::size_t total = 0;
        for (const auto& [name, bytes] : before) {
            EXPECT_EQ(counted[name], changedNames(bytes, after.at(name)))
                << command[0] << " " << name;
            total += counted[name];
        }
        EXPECT_GT(total, 0u);
        EXPECT_EQ(dry["referencesChanged"], total);
    }
}

// Window_glass is on in Demo_Keep and plain in Demo_Docks; Door_oak, on in
// Demo_Keep and plain in Demo_Market, must not follow it.
TEST(QuorvellCli, OnAndOffSetTheStateInEveryMapAndTouchNothingElse) {
    const Demo demo;
    const Maps before = demo.maps();
    const auto glass = [&] {
        const json list = parsed(demo.cli({"list", "--json"}));
        for (const auto& texture : list["textures"]) {
            if (texture["name"] == "Window_glass.dds") {
                return std::pair<int, int>(texture["mapsOn"], texture["mapsUsing"]);
            }
        }
        return std::pair<int, int>(-1, -1);
    };
    ASSERT_EQ(glass(), std::make_pair(1, 2));
    for (const auto& [state, mapsOn, changed] :
         {std::tuple<std::string, int, std::string>{"on", 2, "Demo_Docks.ibt"},
          {"off", 0, "Demo_Keep.ibt"}}) {
        for (int twice = 0; twice < 2; ++twice) { // a state, not a flip
            ASSERT_EQ(demo.cli({state, "Window_glass.dds"}).exitStatus, 0);
            EXPECT_EQ(glass(), std::make_pair(mapsOn, 2)) << state;
            const Maps after = demo.maps();
            for (const auto& [name, bytes] : before) {
                EXPECT_EQ(changedNames(bytes, after.at(name)), name == changed ? 1u : 0u)
                    << state << " " << name;
            }
        }
    }
}

TEST(QuorvellCli, JsonHoldsWhatScriptsAskFor) {
    const Demo demo;
    const json status = parsed(demo.cli({"status", "--json"}));
    EXPECT_EQ(status["game"]["root"], tools::kDemoGameRoot);
    EXPECT_EQ(status["game"]["foundBy"], "search");
    EXPECT_NE(status["game"]["how"].get<std::string>().find("$WINEPREFIX"), std::string::npos);
    EXPECT_EQ(status["game"]["prefix"], tools::demoPrefix(demo.folder()).string());
    EXPECT_EQ(status["maps"], 3);
    EXPECT_EQ(status["textures"], 6);
    EXPECT_EQ(status["texturesOn"], 4);
    EXPECT_EQ(status["presets"]["file"], (demo.folder() / "Presets.ini").string());

    const json list = parsed(demo.cli({"list", "--json"}));
    ASSERT_EQ(list["textures"].size(), 6u);
    EXPECT_EQ(list["textures"][0]["name"], "Door_oak.dds");
    EXPECT_EQ(list["textures"][0]["folder"], "\\System\\Data");
    EXPECT_EQ(list["textures"][0]["on"], true);

    const json presets = parsed(demo.cli({"presets", "--json"}));
    ASSERT_EQ(presets["presets"].size(), 3u);
    EXPECT_EQ(presets["presets"][2]["name"], "walls");
    EXPECT_EQ(presets["presets"][2]["entries"], json({"Wall_brick01.dds", "Wall_brick02.dds"}));
}

bool holds(const ProgramRun& run, const std::string& text) {
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    return run.out.find(text) != std::string::npos;
}

TEST(QuorvellCli, PlainTextForPeopleAndTheGameNamedByGameOrPrefix) {
    const Demo demo;
    const ProgramRun list = demo.cli({"list"});
    EXPECT_TRUE(holds(list, "[x] Door_oak.dds      on in 1 of 2 maps  \\System\\Data\n"));
    EXPECT_TRUE(holds(list, "[ ] Roof_slate.DDS    on in 0 of 1 map   \\System\\Data\n"));
    EXPECT_TRUE(holds(demo.cli({"apply", "walls", "--dry-run"}),
                      "Demo_Keep.ibt: 1 reference would change\nDemo_Market.ibt: 2 references "
                      "would change\nApplying preset \"walls\" would change 6 references in 3 of 3 "
                      "maps; nothing was written.\n"));

    const std::string root = tools::demoGameRoot(demo.folder()).string();
    EXPECT_TRUE(holds(demo.cli({"status", "--game", root}), "Found by:     given with --game\n"));
    EXPECT_TRUE(holds(demo.cli({"status", "--game", std::string(tools::kDemoGameRoot)}),
                      "given with --game, read through the Wine prefix"));
    const Maps before = demo.maps();
    EXPECT_TRUE(holds(demo.cli({"on", "Wall_brick01.dds", "--prefix", "prefix"}, false),
                      "Switching on Wall_brick01.dds changed 4 references in 3 of 3 maps.\n"));
    EXPECT_NE(demo.maps(), before);
    EXPECT_TRUE(holds(demo.cli({"status", "--prefix", "prefix"}, false), "(given with --prefix)"));
}

TEST(QuorvellCli, ExitStatusesTellScriptsWhatWentWrongAndNothingIsWritten) {
    const Demo demo;
    const Maps before = demo.maps();
    const fs::path broken = demo.folder() / "broken.ini";
    std::ofstream(broken) << "broken{\r\nWall_brick01.dds\r\n";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string named; // what the message must name
    } cases[] = {
        {{"apply", "Walls"}, 2, "Walls"}, // matched exactly, unlike the window's command line
        {{"on", "Wall_brick01"}, 2, "Wall_brick01"},
        {{"apply", "broken", "--presets", broken.string()}, 1, broken.string()},
        {{"presets", "--presets", "missing.ini"}, 1, "missing.ini"},
        {{"presets", "--presets", "prefix"}, 1, "prefix: is a folder, not a file"},
        {{"save", "Walls", "--dry-run"}, 1, "there is a preset named \"walls\""},
        {{"delete", "nope"}, 2, "nope"},
        {{"list", "--check"}, 64, "--check"},
        {{"list", "--prefix", "nowhere"}, 1, "nowhere/system.reg"},
        {{"apply"}, 64, "preset"},
        {{"status", "--dry-run"}, 64, "--dry-run"},
        {{"list", "--frobnicate"}, 64, "--frobnicate"},
    };
    for (const auto& c : cases) {
        const auto run = demo.cli(c.args);
        EXPECT_EQ(run.exitStatus, c.status) << c.args[0] << ": " << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
    EXPECT_EQ(demo.maps(), before);
}

TEST(QuorvellCli, OutputLostOnAFullDiskFailsTheRun) {
    const Demo demo;
    const auto full = [&](const char* program, std::vector<std::string> args) {
        args.insert(args.begin(), {"-c", "exec \"$0\" \"$@\" > /dev/full", program});
        return demo.run("/bin/sh", args);
    };
    for (const auto& run : {full(QUORVELL_CLI, {"--json", "list"}), full(QUORVELL_CLI, {"presets"}),
                            full(QUORVELL_CLI, {"--version"}), full(QUORVELL_PROGRAM, {"--help"}),
                            full(QUORVELL_PROGRAM, {"walls"})}) {
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_NE(run.err.find("could not write to standard output"), std::string::npos) << run.err;
    }
}

// Names from a downloaded pack: escape sequences reach no terminal, and a name
// no map can hold is said to be so, and can be named back from JSON.
TEST(QuorvellCli, OddNamesAreShownSafelyAndNamesNoMapCanHoldAreNotSwitchedOn) {
    const Demo demo;
    const fs::path bitmaps = tools::demoGameRoot(demo.folder()) / "Content/T3/Bitmaps";
    const std::string invalid = "Wall_\xff.dds";
    const std::string japanese = "Wall_\u65e5.dds";
    for (const std::string& name :
         {std::string("Esc\x1b]0;x\x07.dds"), std::string("Rtl\u202e.dds"), invalid, japanese}) {
        std::ofstream(bitmaps / name) << "";
    }
    std::ofstream(demo.folder() / "Presets.ini", std::ios::app) << "\x1b[2J{\r\n\x7f.dds\r\n}\r\n";
    for (const auto& args : {std::vector<std::string>{"list"}, {"presets"}}) {
        const ProgramRun run = demo.cli(args);
        EXPECT_EQ(run.out.find_first_of("\x1b\x07\x7f"), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("\u202e"), std::string::npos) << run.out;
    }
    EXPECT_TRUE(holds(demo.cli({"list"}), "[ ] Esc\\x1b]0;x\\x07.dds"));
    EXPECT_TRUE(holds(demo.cli({"presets"}), "\\x1b[2J\n    \\x7f.dds\n"));

    const json list = parsed(demo.cli({"list", "--json"}));
    std::string bytes;
    for (const auto& texture : list["textures"]) {
        bytes += texture.value("nameBytes", "");
    }
    EXPECT_EQ(bytes, "57616c6c5fff2e646473");
    const Maps before = demo.maps();
    for (const std::string& name : {japanese, "hex:" + bytes}) {
        const ProgramRun on = demo.cli({"on", name});
        EXPECT_EQ(on.exitStatus, 1);
        EXPECT_NE(on.err.find("cannot be written into a map"), std::string::npos) << on.err;
    }
    EXPECT_EQ(demo.maps(), before);
}

// The player removes a pack whose texture is on: the maps still name it.
TEST(QuorvellCli, MissingTexturesAreReportedLeftAloneByPresetsAndSwitchedOffOnRequest) {
    const Demo demo;
    ASSERT_EQ(demo.cli({"on", "Wall_brick01.dds"}).exitStatus, 0);
    fs::remove(tools::demoGameRoot(demo.folder()) / "Content/T3/Bitmaps/Wall_brick01.dds");
    const std::string line = "Wall_brick01.dds \u2014 file missing, on in 3 of 3 maps";
    EXPECT_TRUE(holds(demo.cli({"status"}), "Missing:      " + line + "\n"));
    ASSERT_EQ(demo.cli({"apply", "no", "textures"}).exitStatus, 0);
    EXPECT_TRUE(holds(demo.cli({"list"}), "[!] " + line + "\n"));
    EXPECT_EQ(parsed(demo.cli({"list", "--json"}))["missing"],
              json::parse(R"([{"name": "Wall_brick01.dds", "mapsOn": 3}])"));

    const json off = parsed(demo.cli({"off", "--missing", "--json"}));
    EXPECT_EQ(off["referencesChanged"], 4);
    EXPECT_EQ(off["textures"], json({"Wall_brick01.dds"}));
    EXPECT_TRUE(parsed(demo.cli({"list", "--json"}))["missing"].empty());
    EXPECT_EQ(demo.cli({"off", "--missing", "Door_oak.dds"}).exitStatus, 64);
}

TEST(QuorvellCli, SaveAndDeleteKeepEveryOtherByteOfThePresetFile) {
    const Demo demo;
    const fs::path file = demo.folder() / "Presets.ini";
    const std::string before = readFile(file);
    const auto dry = demo.cli({"save", "mine", "Wall_brick01.dds", "--dry-run"});
    EXPECT_EQ(dry.out, "mine{\nxbrick\nWall_brick01.dds\n}\n");
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(demo.cli({"save", "mine", "Wall_brick01.dds"}).exitStatus, 0);
    EXPECT_EQ(readFile(file), before + "mine{\r\nxbrick\r\nWall_brick01.dds\r\n}\r\n");
    EXPECT_EQ(demo.cli({"presets", "--check"}).exitStatus, 0);
    EXPECT_EQ(demo.cli({"delete", "mine"}).exitStatus, 0);
    EXPECT_EQ(readFile(file), before);

    // A file typed on Linux: a lone LF ends a line.
    std::ofstream(demo.folder() / "lf.ini") << "walls{\nWall_brick01.dds\n}\n";
    EXPECT_EQ(demo.cli({"apply", "walls", "--dry-run", "--presets", "lf.ini"}).exitStatus, 0);
}

TEST(QuorvellCli, UnclosedNameLinesAreListedOnceAndSlipsFailTheCheck) {
    const Demo demo;
    std::string lines;
    for (int i = 0; i < 10000; ++i) {
        lines += "x{\r\n";
    }
    std::ofstream(demo.folder() / "open.ini") << lines;
    const auto listed = demo.cli({"presets", "--presets", "open.ini"});
    EXPECT_EQ(listed.exitStatus, 0);
    EXPECT_LT(listed.out.size(), 100 * lines.size()); // each line once, not once per open block
    const auto check = demo.cli({"presets", "--check", "--presets", "open.ini"});
    EXPECT_EQ(check.exitStatus, 1);
    EXPECT_NE(check.out.find("line 10000 \"x{\""), std::string::npos);
}

// Sizes and formats come from the headers; show writes the picture as PNG,
// and says why a format has none.
TEST(QuorvellCli, ListAndShowTellSizeFormatAndPicture) {
    const Demo demo;
    const fs::path bitmaps = tools::demoGameRoot(demo.folder()) / "Content/T3/Bitmaps";
    std::ofstream(bitmaps / "Sky.dds", std::ios::binary)
        << tools::ddsFile(tools::DdsFormat::Bc7, 64, 32, 1, {});
    json brick;
    const json list = parsed(demo.cli({"list", "--json"}));
    for (const json& texture : list["textures"]) {
        if (texture["name"] == "Wall_brick01.dds") {
            brick = texture;
        }
    }
    EXPECT_EQ(brick["width"], 256);
    EXPECT_EQ(brick["format"], "DXT1");
    EXPECT_EQ(brick["mipLevels"], 9);

    const ProgramRun shown = demo.cli({"show", "wall_brick01.dds", "--png", "brick.png"});
    ASSERT_EQ(shown.exitStatus, 0) << shown.err;
    EXPECT_NE(shown.out.find("Picture:      256 × 256, DXT1, 9 mip levels"), std::string::npos)
        << shown.out;
    const std::string png = readFile(demo.folder() / "brick.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\1\0\0\0\1\0", 8)); // 256 x 256

    const ProgramRun sky = demo.cli({"show", "Sky.dds", "--png", "sky.png"});
    EXPECT_EQ(sky.exitStatus, 1);
    EXPECT_NE(sky.err.find("no picture of Sky.dds to write: BC7: no preview"), std::string::npos)
        << sky.err;
    EXPECT_EQ(demo.cli({"list", "--png", "x.png"}).exitStatus, 64);
}

} // namespace
} // namespace quorvell::testing
