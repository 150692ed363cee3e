// quorvell-cli, and the window's command-line mode, killed (SIGKILL) at
// random moments of a run over many maps: afterwards undo gives the maps as
// they were before the run, and restore the maps as first found.

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

using namespace std::chrono_literals;

class KilledRunTest : public ::testing::Test {
protected:
    KilledRunTest() {
        for (const auto& name : names) {
            install.texture(FakeInstall::kBitmaps, name + ".dds");
        }
        for (int m = 0; m < 20; ++m) {
            MapBuilder builder;
            for (int r = 0; r < 2000; ++r) {
                builder.texture(names[random() % names.size()]);
            }
            maps.push_back(install.map("M" + std::to_string(m) + ".ibt", builder.end().bytes()));
        }
        install.registerGame();
    }

    std::vector<std::string> state() const {
        std::vector<std::string> bytes;
        for (const auto& map : maps) {
            bytes.push_back(readFile(map));
        }
        return bytes;
    }
    ProgramRun cli(const std::vector<std::string>& args) const {
        return runProgram(QUORVELL_CLI, args, install.workingDir(), install.environment());
    }
    long runsRecorded() const {
        const std::string history = cli({"history"}).out;
        return std::count(history.begin(), history.end(), '\n');
    }

    std::uintmax_t journalBytes() const {
        std::uintmax_t bytes = 0;
        std::error_code none;
        for (const auto& file : std::filesystem::directory_iterator(
                 install.homeDir() / ".local/state/quorvell", none)) {
            bytes += file.file_size(none);
        }
        return bytes;
    }

    // When the kills fall: anywhere in a whole run's time, or, for a program
    // that idles before it works, once its record is on disk, within the time
    // its writes take.
    enum class KillAt { AnyTime, AfterRecord };

    // Kills program's runs (argsOf(kill): the arguments of each) kills times.
    // cutShort, when given, sees the first kill that left a run without its
    // end record, before the run is undone.
    void killRuns(const std::filesystem::path& program,
                  const std::map<std::string, std::string>& env,
                  const std::function<std::vector<std::string>(int)>& argsOf, int kills, KillAt at,
                  const std::function<void(const std::vector<std::string>&)>& cutShort = {}) {
        using Clock = std::chrono::steady_clock;
        const auto run = [&](const std::vector<std::string>& args) {
            return runProgram(program, args, install.workingDir(), env);
        };
        const auto waitForRecord = [&](std::uintmax_t bytesBefore) {
            const auto began = Clock::now();
            if (at == KillAt::AfterRecord) {
                while (journalBytes() == bytesBefore && Clock::now() - began < 10s) {
                    std::this_thread::sleep_for(100us);
                }
            }
        };
        const std::vector<std::string> pristine = state();
        Clock::time_point from;
        // Signal 0 is no signal: the run goes on to its end.
        const std::uintmax_t bytes = journalBytes();
        ASSERT_EQ(runProgramSignalled(program, argsOf(0), install.workingDir(), env, 0,
                                      [&] {
                                          waitForRecord(bytes);
                                          from = Clock::now();
                                      })
                      .exitStatus,
                  0);
        const auto span =
            std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - from);
        ASSERT_EQ(cli({"undo"}).exitStatus, 0);

        bool cutShortSeen = !cutShort;
        for (int kill = 0; kill < kills; ++kill) {
            const std::vector<std::string> before = state();
            const std::vector<std::string> args = argsOf(kill);
            const auto delay = span * static_cast<long>(random() % 1000) / 1000;
            const long recorded = runsRecorded();
            const std::uintmax_t bytesBefore = journalBytes();
            runProgramSignalled(program, args, install.workingDir(), env, SIGKILL, [&] {
                waitForRecord(bytesBefore);
                std::this_thread::sleep_for(delay);
            });
            // Killed before its record was on disk, the run wrote nothing.
            if (runsRecorded() > recorded) {
                if (!cutShortSeen &&
                    cli({"history"}).out.ends_with("stopped (no end recorded)\n")) {
                    cutShortSeen = true;
                    cutShort(args);
                }
                const ProgramRun undo = cli({"undo"});
                ASSERT_EQ(undo.exitStatus, 0) << "kill " << kill << ": " << undo.err;
            }
            ASSERT_TRUE(state() == before)
                << "kill " << kill << " after " << delay.count() << " us";
            if (kill % 3 == 0) {
                ASSERT_EQ(run(args).exitStatus, 0); // the next run starts elsewhere
            }
        }
        EXPECT_TRUE(cutShortSeen) << "no kill left a run without its end";
        ASSERT_EQ(cli({"restore"}).exitStatus, 0);
        EXPECT_TRUE(state() == pristine);
    }

    FakeInstall install;
    const std::vector<std::string> names = {"Brick", "Moss", "Glass", "Slate"};
    std::mt19937 random{7};
    std::vector<std::filesystem::path> maps;
};

TEST_F(KilledRunTest, QuorvellCliUndoGivesTheMapsBeforeTheRunAndRestoreTheMapsAsFirstFound) {
    killRuns(
        QUORVELL_CLI, install.environment(),
        [&](int kill) {
            return std::vector<std::string>{kill % 2 == 0 ? "on" : "off", names[kill % 4] + ".dds",
                                            names[(kill + 1) % 4] + ".dds"};
        },
        20, KillAt::AnyTime);
}

TEST_F(KilledRunTest, CommandLineModeUndoesAndRestoresAndItsNextStartNamesTheRunCutShort) {
    install.presets("all{\r\n*\r\n}\r\nnone{\r\nxbrick\r\n}\r\n");
    auto env = install.environment();
    env["QT_QPA_PLATFORM"] = "offscreen";
    // Every run changes every map, so every run is recorded.
    const auto argsOf = [&](int) {
        const bool on = readFile(maps[0]).find("__overridden") != std::string::npos;
        return std::vector<std::string>{on ? "none" : "all", "silent"};
    };
    killRuns(
        QUORVELL_PROGRAM, env, argsOf, 20, KillAt::AfterRecord,
        [&](const std::vector<std::string>& args) {
            const long recorded = runsRecorded();
            const ProgramRun next = runProgram(QUORVELL_PROGRAM, args, install.workingDir(), env);
            EXPECT_EQ(next.exitStatus, 0);
            EXPECT_NE(next.err.find(" stopped after "), std::string::npos) << next.err;
            EXPECT_NE(next.err.find("quorvell-cli undo rolls it back"), std::string::npos);
            if (runsRecorded() > recorded) {
                ASSERT_EQ(cli({"undo"}).exitStatus, 0); // its own run first, then the one cut short
            }
        });
}

} // namespace
} // namespace quorvell::testing
