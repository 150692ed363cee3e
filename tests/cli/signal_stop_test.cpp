// quorvell-cli ended by a signal at any moment of a run on a map of 20,000
// references: every name reads plain or fully overridden afterwards, and a
// stop asked for (INT, TERM, HUP) ends the run non-zero, naming what it did.

#include "tests/e2e/run_program.h"
#include "tests/support/fake_install.h"
#include "tests/support/map_builder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace quorvell::testing {
namespace {

TEST(QuorvellCliSignals, NoSignalAtAnyMomentTearsAName) {
    // On a RAM file system, as the fault was seen: no disk to slow the write.
    if (std::filesystem::is_directory("/dev/shm")) {
        ::setenv("TMPDIR", "/dev/shm", 1);
    }
    constexpr std::size_t kRecords = 20000;
    constexpr std::size_t kPage = 4096;
    FakeInstall install;
    // A write cut short stops at a page boundary: where one falls inside a
    // name's window, that name's base ends 6 bytes before it, so a cut there
    // lands inside its suffix. The rest are "Glass".
    std::vector<std::string> bases(kRecords, "Glass");
    std::vector<std::string> textures = {"Glass.dds"};
    MapBuilder builder;
    for (std::size_t k = 0; k < kRecords; ++k) {
        const std::size_t name = MapBuilder::nameOffset(k);
        const std::size_t page = (name + 7 + kPage - 1) / kPage * kPage;
        if (page <= name + 57) {
            bases[k] = "G" + std::string(page - name - 7, 'g');
            if (std::find(textures.begin(), textures.end(), bases[k] + ".dds") == textures.end()) {
                textures.push_back(bases[k] + ".dds");
            }
        }
        builder.texture(bases[k]);
    }
    for (const auto& texture : textures) {
        install.texture(FakeInstall::kDynamic, texture);
    }
    const auto map = install.map("A.ibt", builder.end().bytes());
    install.registerGame();
    const auto env = install.environment();
    const auto command = [&](bool on) {
        std::vector<std::string> args = {on ? "on" : "off"};
        args.insert(args.end(), textures.begin(), textures.end());
        return args;
    };
    // A whole run's length, to spread the signals over it.
    const auto began = std::chrono::steady_clock::now();
    ASSERT_EQ(runProgram(QUORVELL_CLI, command(true), install.workingDir(), env).exitStatus, 0);
    const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - began);

    std::mt19937 random(22);
    std::uniform_int_distribution<long> delay(0, whole.count() * 11 / 10);
    std::uniform_int_distribution<long> intoTheWrites(0, 3000);
    const int signals[] = {SIGKILL, SIGTERM, SIGINT, SIGHUP};
    bool anyPlain = false; // every run has names to write: on while any is plain
    for (int i = 0; i < 520; ++i) {
        const int signal = signals[i % 4];
        // Half the signals come at a random moment, half soon after the
        // map's first write (its time of change moves): inside the writes.
        const auto wait = [&, i] {
            if (i / 4 % 2 == 0) {
                std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
                return;
            }
            const auto changed = std::filesystem::last_write_time(map);
            const auto until = std::chrono::steady_clock::now() + 2 * whole;
            while (std::filesystem::last_write_time(map) == changed &&
                   std::chrono::steady_clock::now() < until) {
            }
            std::this_thread::sleep_for(std::chrono::microseconds(intoTheWrites(random)));
        };
        const ProgramRun ended = runProgramSignalled(QUORVELL_CLI, command(anyPlain),
                                                     install.workingDir(), env, signal, wait);
        if (signal != SIGKILL && ended.exitStatus != 0 && ended.exitStatus != -1) {
            EXPECT_NE(ended.err.find("stopped after 0 of 1 maps, none changed"), std::string::npos)
                << ended.err;
        }
        const std::string bytes = readFile(map);
        anyPlain = false;
        for (std::size_t k = 0; k < kRecords; ++k) {
            const std::string name = nameAt(bytes, k);
            ASSERT_TRUE(name == bases[k] || name == bases[k] + "__overridden")
                << "run " << i << " signal " << signal << " record " << k << ": " << name;
            anyPlain = anyPlain || name == bases[k];
        }
    }
}

} // namespace
} // namespace quorvell::testing
