// quorvell-cli killed (SIGKILL) at random moments of a run over many maps:
// afterwards undo gives the maps as they were before the run, and restore
// the maps as first found.

#include "tests/e2e/run_program.h"
#include "tests/support/fake_install.h"
#include "tests/support/map_builder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace quorvell::testing {
namespace {

TEST(QuorvellCliKilled, UndoGivesTheMapsBeforeTheRunAndRestoreTheMapsAsFirstFound) {
    FakeInstall install;
    const std::vector<std::string> names = {"Brick", "Moss", "Glass", "Slate"};
    for (const auto& name : names) {
        install.texture(FakeInstall::kBitmaps, name + ".dds");
    }
    std::mt19937 random(7);
    std::vector<std::filesystem::path> maps;
    for (int m = 0; m < 20; ++m) {
        MapBuilder builder;
        for (int r = 0; r < 2000; ++r) {
            builder.texture(names[random() % names.size()]);
        }
        maps.push_back(install.map("M" + std::to_string(m) + ".ibt", builder.end().bytes()));
    }
    install.registerGame();
    const auto env = install.environment();
    const auto state = [&] {
        std::vector<std::string> bytes;
        for (const auto& map : maps) {
            bytes.push_back(readFile(map));
        }
        return bytes;
    };
    const auto cli = [&](std::vector<std::string> args) {
        return runProgram(QUORVELL_CLI, args, install.workingDir(), env);
    };
    const std::vector<std::string> pristine = state();
    const auto began = std::chrono::steady_clock::now();
    ASSERT_EQ(cli({"on", "Brick.dds", "Moss.dds", "Glass.dds", "Slate.dds"}).exitStatus, 0);
    const auto whole = std::chrono::steady_clock::now() - began;
    ASSERT_EQ(cli({"undo"}).exitStatus, 0);

    for (int kill = 0; kill < 20; ++kill) {
        const std::vector<std::string> before = state();
        const std::vector<std::string> run = {
            kill % 2 == 0 ? "on" : "off", names[kill % 4] + ".dds", names[(kill + 1) % 4] + ".dds"};
        const auto delay = std::chrono::duration_cast<std::chrono::microseconds>(whole) *
                           static_cast<long>(random() % 1000) / 1000;
        const auto runs = [&] {
            const std::string history = cli({"history"}).out;
            return std::count(history.begin(), history.end(), '\n');
        };
        const auto recorded = runs();
        runProgramSignalled(QUORVELL_CLI, run, install.workingDir(), env, SIGKILL,
                            [delay] { std::this_thread::sleep_for(delay); });
        // Killed before its record was on disk, the run wrote nothing.
        if (runs() > recorded) {
            const ProgramRun undo = cli({"undo"});
            ASSERT_EQ(undo.exitStatus, 0) << "kill " << kill << ": " << undo.err;
        }
        ASSERT_TRUE(state() == before) << "kill " << kill << " after " << delay.count() << " us";
        if (kill % 3 == 0) {
            ASSERT_EQ(cli(run).exitStatus, 0); // the next run starts elsewhere
        }
    }
    ASSERT_EQ(cli({"restore"}).exitStatus, 0);
    EXPECT_TRUE(state() == pristine);
}

} // namespace
} // namespace quorvell::testing
