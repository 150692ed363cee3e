#include "base/io_error.h"
#include "patching/map_file.h"
#include "patching/map_io.h"
#include "patching/map_plan.h"
#include "patching/record_walk.h"
#include "tests/support/map_builder.h"
#include "tests/support/temp_dir.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvell::patching {
namespace {

using testing::MapBuilder;
using testing::readFile;
using testing::TempDir;

namespace fs = std::filesystem;

const std::string kPlainMap = MapBuilder().texture("Wall_a").end().tail(64).bytes();
const TextureRows kOn{{"Wall_a.dds", true}};
const TextureRows kOff{{"Wall_a.dds", false}};

#ifndef _WIN32
// A block of references to first, then a second block with a few to rest:
// between the two the walk yields to events.
std::string twoBlocks(const std::string& first, const std::string& rest) {
    std::vector<std::string> references(kRecordsPerBlock, first);
    references.resize(kRecordsPerBlock + 10, rest);
    return testing::mapOfTextures(references);
}

// POSIX permissions, FIFOs and errno texts; the Windows counterparts (share
// modes, the read-only attribute, devices) are in tests/windows.

// Root ignores file permissions, so permission failures are checked in a
// child process that has given up root's powers (when it had them). body
// returns an empty string on success, else what went wrong.
void expectWithoutRootPowers(const std::function<std::string()>& body) {
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                std::fprintf(stderr, "cannot give up root\n");
                std::_Exit(2);
            }
            const std::string problem = body();
            if (!problem.empty()) {
                std::fprintf(stderr, "%s\n", problem.c_str());
                std::_Exit(1);
            }
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

// The message of the IoError that action throws, checked for path and reason.
std::string ioErrorProblem(const fs::path& path, const std::string& reason,
                           const std::function<void()>& action) {
    try {
        action();
    } catch (const IoError& e) {
        if (e.path() != path.string()) {
            return "wrong path: " + e.path();
        }
        if (e.reason() != reason) {
            return "wrong reason: " + e.reason();
        }
        if (std::string(e.what()).find(path.string()) == std::string::npos) {
            return "message does not name the file";
        }
        return {};
    }
    return "no IoError";
}

#endif

class MapIoTest : public ::testing::Test {
protected:
#ifndef _WIN32
    fs::path readOnlyMap(const std::string& bytes) {
        const auto path = dir.write("ro.ibt", bytes);
        fs::permissions(path,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        return path;
    }
#endif
    TempDir dir;
};

TEST_F(MapIoTest, AsksForWriteAccessOnlyOnTheFirstWrite) {
    const auto path = dir.write("m.ibt", kPlainMap);
    MapIo map(path);
    ASSERT_FALSE(map.vanished());
    char byte = 0;
    EXPECT_EQ(map.read(0, &byte, 1), 1u);
    EXPECT_FALSE(map.writable());
    map.write(93, "V");
    EXPECT_TRUE(map.writable());
    EXPECT_EQ(map.read(93, &byte, 1), 1u);
    EXPECT_EQ(byte, 'V');
    EXPECT_EQ(fs::file_size(path), kPlainMap.size());
}

TEST_F(MapIoTest, ReadPastTheEndGetsWhatIsThere) {
    MapIo map(dir.write("m.ibt", "abc"));
    char buffer[8];
    EXPECT_EQ(map.read(1, buffer, sizeof buffer), 2u);
    EXPECT_EQ(map.read(3, buffer, sizeof buffer), 0u);
    EXPECT_EQ(map.read(1000, buffer, sizeof buffer), 0u);
}

TEST_F(MapIoTest, VanishedMapIsNeverCreated) {
    const auto gone = dir.path() / "gone.ibt";
    MapIo map(gone);
    EXPECT_TRUE(map.vanished());
    EXPECT_THROW(map.write(0, "x"), IoError);
    EXPECT_FALSE(fs::exists(gone));
    // A vanished folder on the way is the same.
    EXPECT_TRUE(MapIo(dir.path() / "nofolder" / "m.ibt").vanished());
}

#ifndef _WIN32
// (On Windows a file removed while another handle holds it keeps its name
// until that handle closes, so the walk's own handle keeps it there.)
TEST_F(MapIoTest, MapRemovedBeforeItsFirstWriteIsSkippedAndNotCreated) {
    const auto path = dir.write("m.ibt", twoBlocks("Rock", "Wall_a"));
    const auto outcome = patchPresetInMap(path, BatchIndex(kOn), [&] { fs::remove(path); });
    EXPECT_TRUE(outcome.vanished);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(MapIoTest, MapCutShortDuringARunKeepsItsLengthAndTheRunStopsThere) {
    const auto path = dir.write("m.ibt", twoBlocks("Wall_a", "Wall_a"));
    const auto cut = MapBuilder::nameOffset(kRecordsPerBlock + 5);
    EXPECT_EQ(ioErrorProblem(path, "the file changed while it was being patched",
                             [&] {
                                 patchPresetInMap(path, BatchIndex(kOn),
                                                  [&] { fs::resize_file(path, cut); });
                             }),
              "");
    EXPECT_EQ(fs::file_size(path), cut);
}

// From here on a write reaching the offset limit stops there, part-way.
void stopWritesAt(rlim_t limit) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit size{};
    size.rlim_cur = limit;
    size.rlim_max = limit;
    ::setrlimit(RLIMIT_FSIZE, &size);
}

TEST_F(MapIoTest, WriteThatStoppedPartWayLeavesEveryNameWhole) {
    // Names switched on and off in the same block, each in its own order.
    const auto path =
        dir.write("m.ibt", testing::mapOfTextures({"Wall_a", "Door__overridden", "Wall_a"}));
    // Each way round, a write stops inside the second name.
    for (const bool on : {true, false}) {
        const TextureRows rows{{"Wall_a.dds", on}, {"Door.dds", !on}};
        EXPECT_EXIT(
            {
                stopWritesAt(MapBuilder::nameOffset(1) + 9);
                const auto problem = ioErrorProblem(
                    path, "File too large", [&] { patchPresetInMap(path, BatchIndex(rows)); });
                std::_Exit(problem.empty() ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
        const auto map = readFile(path);
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string base = k == 1 ? "Door" : "Wall_a";
            const auto name = testing::nameAt(map, k);
            EXPECT_TRUE(name == base || name == base + "__overridden") << k << ": " << name;
        }
        patchPresetInMap(path, BatchIndex(rows));
    }
}

TEST_F(MapIoTest, FolderOrPipeInsteadOfAMapIsAnErrorNotAHang) {
    fs::create_directory(dir.path() / "dir.ibt");
    EXPECT_EQ(ioErrorProblem(dir.path() / "dir.ibt", "Is a directory",
                             [&] { MapIo map(dir.path() / "dir.ibt"); }),
              "");
    const auto fifo = dir.path() / "pipe.ibt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(ioErrorProblem(fifo, "not a regular file", [&] { MapIo map(fifo); }), "");
    ReferenceSet list1;
    EXPECT_THROW(scanMap(fifo, ScanIndex(kOn), list1), IoError);
}

#endif

TEST_F(MapIoTest, ReplacedFileIsNotWrittenThroughTheNewName) {
    const auto path = dir.write("m.ibt", kPlainMap);
    MapIo map(path);
    fs::rename(path, dir.path() / "old.ibt");
    dir.write("m.ibt", kPlainMap);
    EXPECT_THROW(map.write(93, "V"), IoError);
    EXPECT_EQ(readFile(path), kPlainMap);
}

#ifndef _WIN32
// Renamed over while written: the run says so rather than count changes the
// path no longer holds; a kernel file behind a link is refused unread; a
// map sharing its file with another name is written with a warning.
TEST_F(MapIoTest, ReplacedKernelAndHardLinkedMapsAreTold) {
    const auto path = dir.write("m.ibt", kPlainMap);
    const auto copy = dir.write("copy.ibt", kPlainMap);
    const MapPlan plan = planMap(path, BatchIndex(kOn));
    EXPECT_EQ(ioErrorProblem(path, "the map was replaced while it was being patched",
                             [&] { applyPlan(plan, {}, [&] { fs::rename(copy, path); }); }),
              "");

    fs::create_symlink("/proc/self/mem", dir.path() / "mem.ibt");
    EXPECT_EQ(ioErrorProblem(dir.path() / "mem.ibt",
                             "not a map file on disk (a file of the system's kernel)",
                             [&] { planMap(dir.path() / "mem.ibt", BatchIndex(kOn)); }),
              "");

    fs::create_hard_link(path, dir.path() / "backup.ibt");
    EXPECT_EQ(hardLinksWarning(patchPresetInMap(path, BatchIndex(kOff)).hardLinks),
              "has 2 hard links: a copy made with cp -al would be changed too");
}

TEST_F(MapIoTest, ReadOnlyMapThatNeedsNoChangeIsNoError) {
    const auto path = readOnlyMap(kPlainMap);
    expectWithoutRootPowers([&]() -> std::string {
        try {
            const auto outcome = patchPresetInMap(path, BatchIndex(kOff));
            ReferenceSet list1;
            scanMap(path, ScanIndex(kOn), list1);
            switchTextureInMap(path, ToggleTarget("Other.dds", true));
            return outcome.referencesChanged == 0 ? "" : "changed something";
        } catch (const std::exception& e) {
            return e.what();
        }
    });
    EXPECT_EQ(readFile(path), kPlainMap);
}

TEST_F(MapIoTest, ReadOnlyMapThatNeedsAChangeNamesFileAndReason) {
    const auto path = readOnlyMap(kPlainMap);
    expectWithoutRootPowers([&] {
        const std::string batch = ioErrorProblem(path, "Permission denied",
                                                 [&] { patchPresetInMap(path, BatchIndex(kOn)); });
        const std::string toggle = ioErrorProblem(path, "Permission denied", [&] {
            switchTextureInMap(path, ToggleTarget("Wall_a.dds", true));
        });
        return batch + toggle;
    });
    EXPECT_EQ(readFile(path), kPlainMap);
}

TEST_F(MapIoTest, UnreadableMapNamesFileAndReason) {
    const auto path = dir.write("m.ibt", kPlainMap);
    fs::permissions(path, fs::perms::none);
    expectWithoutRootPowers([&] {
        ReferenceSet list1;
        return ioErrorProblem(path, "Permission denied",
                              [&] { scanMap(path, ScanIndex(kOn), list1); });
    });
}

#endif

} // namespace
} // namespace quorvell::patching
