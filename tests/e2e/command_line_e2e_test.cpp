// Runs the built program in command-line mode against fake installs and
// checks the maps byte for byte, the exit status and that nothing else on
// disk changed.

#include "patching/maps_lock.h"
#include "tests/e2e/run_program.h"
#include "tests/support/fake_install.h"
#include "tests/support/map_builder.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace quorvell::testing {
namespace {

const std::string kOn = "__overridden";

// Map m1 and m2 of the install below, with each custom reference either on or
// off as given.
struct MapState {
    bool brick01 = false;
    bool brick02 = false;
    bool floor = false;
    bool glassInM1 = false;
    bool glassInM2 = false;
};

std::string ref(const std::string& base, bool on) {
    return on ? base + kOn : base;
}

std::string mapOne(const MapState& s) {
    return MapBuilder()
        .texture(ref("Wall_brick01", s.brick01))
        .texture(ref("Floor_wood", s.floor))
        .texture("Auldale1")
        .record(0x03, "Wall_brick01")
        .texture(ref("Window_glass", s.glassInM1))
        .texture(ref("Wall_brick01", s.brick01))
        .end()
        .tail(5000)
        .bytes();
}

std::string mapTwo(const MapState& s) {
    return MapBuilder()
        .texture(ref("Wall_brick02", s.brick02))
        .texture(ref("Wall_brick01", s.brick01))
        .texture("wall_brick01") // other case: belongs to no texture
        .texture(ref("Window_glass", s.glassInM2))
        .end(0x01)
        .tail(700)
        .bytes();
}

// Bytes that merely sit in the maps folder: wrong signature.
const std::string kNotAMap = std::string("NOTAMAP") + std::string(2000, 'x');

const std::string kPresets = "walls{\r\n"
                             "Wall_brick01.dds\r\n"
                             "Wall_brick02.dds\r\n"
                             "}\r\n"
                             "no textures{\r\n"
                             "xbrick\r\n"
                             "}\r\n"
                             "all textures{\r\n"
                             "*\r\n"
                             "}\r\n"
                             "broken{\r\n"
                             "Floor_wood.dds\r\n";

// As found: floor on in m1, glass on in m2 only.
const MapState kFound{false, false, true, false, true};

class CommandLineMode : public ::testing::Test {
protected:
    void SetUp() override {
        install.registerGame();
        install.texture("Content/T3/Bitmaps", "Wall_brick01.dds");
        install.texture("Content/T3/Bitmaps", "Wall_brick02.dds");
        install.texture("Content/T3/Bitmaps", "HDMAP_City.dds"); // the game's own
        install.texture("Content/T3/PCTextures/DynamicallyLoaded", "Floor_wood.dds");
        install.texture("System/Data", "Window_glass.dds");
        install.texture("System/Data", "Auldale1.dds"); // the game's own
        m1 = install.map("m1.ibt", mapOne(kFound));
        m2 = install.map("M2.IBT", mapTwo(kFound));
        install.map("readme.ibt", kNotAMap);
        install.presets(kPresets);
        before = watched();
    }

    std::map<std::string, std::string> watched() const {
        // The prefix and the working folder: everything the program may touch.
        auto files = install.snapshot();
        std::erase_if(files, [](const auto& entry) { return entry.first.rfind("home", 0) == 0; });
        return files;
    }

    ProgramRun run(const std::vector<std::string>& args,
                   const std::function<void(const ProgramRun&)>& whileRunning = {}) const {
        return runProgram(QUORVELL_PROGRAM, args, install.workingDir(), install.environment(), 60,
                          whileRunning);
    }

    // The maps hold exactly `expected`, and no other file changed or appeared.
    void expectMaps(const MapState& expected) const {
        auto after = watched();
        auto wanted = before;
        for (auto& [path, bytes] : wanted) {
            if (path.ends_with("m1.ibt")) {
                bytes = mapOne(expected);
            } else if (path.ends_with("M2.IBT")) {
                bytes = mapTwo(expected);
            }
        }
        ASSERT_EQ(after.size(), wanted.size()) << "a file appeared or vanished";
        for (const auto& [path, bytes] : wanted) {
            ASSERT_TRUE(after.count(path)) << path << " vanished";
            EXPECT_TRUE(after[path] == bytes) << path << " differs from what was expected";
        }
    }

    // The maps hold one of `states`, and no other file changed.
    void expectMapsOneOf(const std::vector<MapState>& states) const {
        const auto after = watched();
        for (const MapState& state : states) {
            auto wanted = before;
            wanted[std::filesystem::relative(m1, install.root()).string()] = mapOne(state);
            wanted[std::filesystem::relative(m2, install.root()).string()] = mapTwo(state);
            if (after == wanted) {
                return;
            }
        }
        ADD_FAILURE() << "the maps are in no state that the runs one after the other give";
    }

    static std::size_t lines(const std::string& text) {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }

    FakeInstall install;
    std::filesystem::path m1, m2;
    std::map<std::string, std::string> before;
};

TEST_F(CommandLineMode, AppliesAPresetOnTopOfWhatIsOn) {
    const auto result = run({"walls", "silent"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(lines(result.out), 1u) << result.out;
    // The scan found floor and glass on; the batch brings glass on in m1 too.
    expectMaps({true, true, true, true, true});
}

TEST_F(CommandLineMode, MatchesTheNameWithoutRegardToCase) {
    const auto result = run({"WALLS", "silent"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    expectMaps({true, true, true, true, true});
}

TEST_F(CommandLineMode, RemovesAPresetAndKeepsTheRestAsTheMapsHadIt) {
    install.map("m1.ibt", mapOne({true, true, true, false, false}));
    install.map("M2.IBT", mapTwo({true, true, false, false, true}));
    before = watched();
    for (const auto& args : {std::vector<std::string>{"walls", "silent", "disable"},
                             std::vector<std::string>{"walls", "disable", "silent"}}) {
        const auto result = run(args);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        expectMaps({false, false, true, true, true});
    }
}

TEST_F(CommandLineMode, XbrickSwitchesEverythingOffAndStarSwitchesItAllOn) {
    auto result = run({"no", "textures", "silent"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    expectMaps({});

    result = run({"all", "textures", "silent"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    expectMaps({true, true, true, true, true});
}

TEST_F(CommandLineMode, RemovingAPresetThatHoldsXbrickTouchesNoMap) {
    const auto result = run({"no", "textures", "disable", "silent"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    expectMaps(kFound);
}

TEST_F(CommandLineMode, NoMatchingPresetIsAFailureThatChangesNothing) {
    const auto result = run({"doors", "silent"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_FALSE(result.err.empty());
    expectMaps(kFound);
}

TEST_F(CommandLineMode, AKeywordAtTheStartIsAnError) {
    for (const auto& arg : {"silent", "disable silent"}) {
        const auto result = run({arg});
        EXPECT_EQ(result.exitStatus, 1) << arg;
        EXPECT_TRUE(result.out.empty()) << result.out;
        expectMaps(kFound);
    }
}

TEST_F(CommandLineMode, AnUnterminatedBlockChangesNoMap) {
    const auto result = run({"broken", "silent"});
    EXPECT_EQ(result.exitStatus, 1);
    expectMaps(kFound);
}

TEST_F(CommandLineMode, WithoutTheGameItFailsBeforeAnyPresetRuns) {
    std::filesystem::remove(install.prefix() / "system.reg");
    before = watched();
    const auto result = run({"walls", "silent"});
    EXPECT_EQ(result.exitStatus, 1);
    // Standard error lists each place looked at, with why it was passed over.
    EXPECT_NE(result.err.find("\n  " + install.prefix().string() + ": not a Wine prefix"),
              std::string::npos)
        << result.err;
    expectMaps(kFound);
}

TEST_F(CommandLineMode, WithoutPresetsFileNothingMatches) {
    std::filesystem::remove(install.workingDir() / "Presets.ini");
    before = watched();
    const auto result = run({"walls", "silent"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(result.err.find("there is no Presets.ini in " + install.workingDir().string() +
                              " nor in " +
                              std::filesystem::path(QUORVELL_PROGRAM).parent_path().string()),
              std::string::npos)
        << result.err;
    expectMaps(kFound);
}

TEST_F(CommandLineMode, HelpAndVersionAnswerWithoutScanningAndNoArgumentsNeedADisplay) {
    for (const char* arg : {"--help", "-h", "/?"}) {
        const auto result = run({arg});
        EXPECT_EQ(result.exitStatus, 0) << arg;
        EXPECT_TRUE(result.out.starts_with("Usage: quorvell [<preset> [silent] [disable]]")) << arg;
    }
    auto result = run({"--version"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(lines(result.out), 1u);
    EXPECT_TRUE(result.out.starts_with("Quorvell ")) << result.out;
    result = run({});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(lines(result.err), 1u) << result.err; // one plain line, not Qt's abort
    expectMaps(kFound);
}

// Two runs started together while a third party (this test) holds the maps:
// both wait and say so, then run one after the other. Run at once, the second
// would apply its preset over check marks read before the first had changed
// the maps, giving neither order's result.
TEST_F(CommandLineMode, TwoRunsAtOnceTakeTurnsAndSayTheyWaited) {
    std::optional<patching::MapsFolderLock> held(std::in_place, m1.parent_path());
    std::atomic<int> waiting{0};
    const auto sayingWait = [&](std::atomic<bool>& said) {
        return [&](const ProgramRun& sofar) {
            if (!said && sofar.err.find("waiting") != std::string::npos) {
                said = true;
                ++waiting;
            }
        };
    };
    std::atomic<bool> walls{false};
    std::atomic<bool> none{false};
    auto first = std::async(std::launch::async, [&] {
        return run({"walls", "silent"}, sayingWait(walls));
    });
    auto second = std::async(std::launch::async, [&] {
        return run({"no", "textures", "silent"}, sayingWait(none));
    });
    for (int i = 0; i < 400 && waiting < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(waiting, 2);
    held.reset();

    const auto firstRun = first.get();
    const auto secondRun = second.get();
    EXPECT_EQ(firstRun.exitStatus, 0) << firstRun.err;
    EXPECT_EQ(secondRun.exitStatus, 0) << secondRun.err;
    // walls then no textures: all off; no textures then walls: the two walls on.
    expectMapsOneOf({{}, {true, true, false, false, false}});
}

} // namespace
} // namespace quorvell::testing
