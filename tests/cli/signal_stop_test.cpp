// quorvell-cli ended by a signal at any moment of a run on a map of 20,000
// references: every name reads plain or fully overridden afterwards, and a
// stop asked for (INT, TERM, HUP) ends the run non-zero, naming what it did.

#include "tests/e2e/run_program.h"
#include "tests/support/fake_install.h"
#include "tests/support/map_builder.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

namespace quorvell::testing {
namespace {

TEST(QuorvellCliSignals, NoSignalAtAnyMomentTearsAName) {
    // On a RAM file system, as the fault was seen: no disk to slow the write.
    if (std::filesystem::is_directory("/dev/shm")) {
        ::setenv("TMPDIR", "/dev/shm", 1);
    }
    constexpr std::size_t kRecords = 20000;
    FakeInstall install;
    install.texture(FakeInstall::kDynamic, "Glass.dds");
    MapBuilder builder;
    for (std::size_t k = 0; k < kRecords; ++k) {
        builder.texture("Glass");
    }
    const auto map = install.map("A.ibt", builder.end().bytes());
    install.registerGame();
    const auto env = install.environment();
    const auto run = [&](bool on, int signal, std::chrono::microseconds delay) {
        return runProgramSignalled(QUORVELL_CLI, {on ? "on" : "off", "Glass.dds"},
                                   install.workingDir(), env, signal, delay);
    };
    // A whole run's length, to spread the signals over it.
    const auto began = std::chrono::steady_clock::now();
    ASSERT_EQ(runProgram(QUORVELL_CLI, {"on", "Glass.dds"}, install.workingDir(), env).exitStatus,
              0);
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - began);

    std::mt19937 random(22);
    std::uniform_int_distribution<long> delay(0, whole.count() * 5 / 4);
    const int signals[] = {SIGKILL, SIGTERM, SIGINT, SIGHUP};
    for (int i = 0; i < 520; ++i) {
        const int signal = signals[i % 4];
        const ProgramRun ended =
            run(i / 4 % 2 == 0, signal, std::chrono::microseconds(delay(random)));
        if (signal != SIGKILL && ended.exitStatus != 0 && ended.exitStatus != -1) {
            EXPECT_NE(ended.err.find("stopped after 0 of 1 maps, none changed"), std::string::npos)
                << ended.err;
        }
        const std::string bytes = readFile(map);
        for (std::size_t k = 0; k < kRecords; ++k) {
            const std::string name = nameAt(bytes, k);
            ASSERT_TRUE(name == "Glass" || name == "Glass__overridden")
                << "run " << i << " signal " << signal << " record " << k << ": " << name;
        }
    }
}

} // namespace
} // namespace quorvell::testing
