// The whole program against a synthetic install, each case beside its floor
// in the same run: quorvell itself in command-line mode (headless), started
// as a process, and the window in this process for what only it can show
// (start-up, and how long the event loop waits during an operation).
// Prints each figure's median and spread over the repetitions.
//
//   quorvell_program_bench [repetitions]      (default 9)
//
// Environment: QUORVELL_BENCH_DIR (default: the system's temporary folder).

#include "bench/figures.h"
#include "bench/program_run.h"
#include "bench/synthetic_install.h"
#include "bench/window_cases.h"
#include "patching/map_file.h"
#include "patching/map_io.h"
#include "patching/record_walk.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace quorvell;
using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

// 205 maps of 3785 records: the 776,000 records of a full install.
bench::InstallShape programShape() {
    bench::InstallShape shape;
    shape.maps = 205;
    shape.recordsPerMap = 3785;
    return shape;
}

using bench::Spread;
using bench::spreadOf;

void printRatio(const char* what, const std::vector<double>& values, double target) {
    const Spread s = spreadOf(values);
    std::printf("  %-44s %6.2f   (%.2f to %.2f)", what, s.median, s.low, s.high);
    if (target > 0) {
        std::printf("   target %g: %s", target, s.median <= target ? "met" : "MISSED");
    }
    std::printf("\n");
}

std::vector<double> inKiB(std::vector<double> bytes) {
    for (double& b : bytes) {
        b /= 1024;
    }
    return bytes;
}

void printTime(const char* what, const std::vector<double>& seconds) {
    const Spread s = spreadOf(seconds);
    std::printf("  %-44s %6.1f ms (%.1f to %.1f)\n", what, s.median * 1e3, s.low * 1e3,
                s.high * 1e3);
}

double cpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Spent {
    double wall = 0;
    double cpu = 0;
};

// What a floor writes after its read.
enum class FloorWrites {
    None,
    // The table written back whole in one write: the least any rewrite of
    // names on every page of the table has to do.
    Once,
    // Each block of the engine's size written twice: the least a rewrite has
    // to do that first writes the bytes keeping each name whole, then the
    // deciding bytes.
    TwicePerBlock,
};

// One read of each map's table, the least any scan has to do, then the
// writes. The buffer starts on a page, as the file does: a buffer a few
// bytes off (where a large allocation's memory begins) makes the system's
// copy several times slower on some processors, and the floor is to be the
// quickest plain read.
Spent floorTime(const bench::SyntheticInstall& install, FloorWrites writes) {
    constexpr std::size_t kPage = 4096;
    constexpr std::size_t kBlock = patching::kRecordsPerBlock * patching::kRecordStride;
    const std::size_t size = install.tableBytes();
    std::vector<char> storage(size + kPage);
    char* buffer =
        storage.data() + (kPage - reinterpret_cast<std::uintptr_t>(storage.data()) % kPage);
    const auto start = Clock::now();
    const double cpuStart = cpuSeconds();
    for (const auto& path : install.maps()) {
        patching::MapIo map(path);
        if (map.read(0, buffer, size) != size) {
            throw std::runtime_error("short read of " + path.string());
        }
        if (writes == FloorWrites::Once) {
            map.write(0, std::string_view(buffer, size));
        }
        if (writes == FloorWrites::TwicePerBlock) {
            for (std::size_t at = 0; at < size; at += kBlock) {
                const std::string_view block(buffer + at, std::min(kBlock, size - at));
                map.write(at, block);
                map.write(at, block);
            }
        }
        map.close();
    }
    return {Seconds(Clock::now() - start).count(), cpuSeconds() - cpuStart};
}

// Every reference back to plain, through the engine, outside any timing.
void switchAllOff(const bench::SyntheticInstall& install) {
    const patching::BatchIndex off(install.rows());
    for (const auto& path : install.maps()) {
        patching::patchPresetInMap(path, off);
    }
}

// Out of the page cache: written back first, since dirty pages stay.
void dropFromCache(const bench::SyntheticInstall& install) {
    for (const auto& path : install.maps()) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::fdatasync(fd) != 0 || ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) != 0) {
            throw std::runtime_error("cannot drop " + path.string() + " from the page cache");
        }
        ::close(fd);
    }
}

class Program {
public:
    Program(std::filesystem::path binary, const bench::SyntheticGame& game)
        : binary_(std::move(binary)), game_(game) {}

    // Command-line mode, headless, silent; checks the exit status.
    // Without the journal as QUORVELL_NO_JOURNAL=1 runs it.
    bench::ProgramRun run(const std::string& preset, bool withMaps, int expectedStatus,
                          bool journal = true) const {
        std::map<std::string, std::string> env{
            {"HOME", game_.home().string()},
            {"WINEPREFIX", game_.prefix(withMaps).string()},
            {"PATH", "/usr/bin:/bin"},
            {"LANG", "C.UTF-8"},
        };
        if (!journal) {
            env["QUORVELL_NO_JOURNAL"] = "1";
        }
        auto result = bench::runProgram(binary_, {preset, "silent"}, game_.workDir(), env);
        if (result.exitStatus != expectedStatus) {
            throw std::runtime_error("quorvell " + preset + " ended with status " +
                                     std::to_string(result.exitStatus) + ": " + result.err);
        }
        return result;
    }

private:
    std::filesystem::path binary_;
    const bench::SyntheticGame& game_;
};

// A preset name that Presets.ini does not hold: the scan runs, nothing else.
constexpr const char* kNoSuchPreset = "absent";
constexpr int kNoMatch = 2;

void programCases(const bench::SyntheticGame& game, const Program& program, int repetitions) {
    const auto& install = game.install();
    std::vector<double> floor, withoutMaps, scanOff, scanOn, apply;
    std::vector<double> scanOffRatio, scanOnRatio, applyRatio, batchRatio;
    std::vector<double> scanOffCpu, scanOnCpu, applyCpu, batchCpu;
    std::vector<double> floorWrites, batchToWrites, batchToWritesCpu;
    std::vector<double> floorTwice, twiceToWritesCpu, batchToTwiceCpu;
    std::vector<double> journalCost, journalCostCpu, journalBytes;
    const auto journalSize = [&] {
        std::uintmax_t bytes = 0;
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 game.home() / ".local" / "state", error)) {
            bytes += entry.is_regular_file() ? entry.file_size() : 0;
        }
        return static_cast<double>(bytes);
    };
    switchAllOff(install);
    program.run(kNoSuchPreset, true, kNoMatch); // brings the program's own files in
    for (int r = 0; r < repetitions; ++r) {
        const Spent f = floorTime(install, FloorWrites::None);
        const Spent fw = floorTime(install, FloorWrites::Once);
        const Spent f2 = floorTime(install, FloorWrites::TwicePerBlock);
        const auto base = program.run(kNoSuchPreset, false, kNoMatch);
        const auto off = program.run(kNoSuchPreset, true, kNoMatch);
        const double journalBefore = journalSize();
        const auto all = program.run(bench::SyntheticGame::kAllOn, true, 0);
        journalBytes.push_back(journalSize() - journalBefore);
        const auto on = program.run(kNoSuchPreset, true, kNoMatch);
        switchAllOff(install);
        const auto unjournaled = program.run(bench::SyntheticGame::kAllOn, true, 0, false);
        switchAllOff(install);
        journalCost.push_back((all.wall - unjournaled.wall).count() /
                              (unjournaled.wall - off.wall).count());
        journalCostCpu.push_back((all.cpu - unjournaled.cpu).count() /
                                 (unjournaled.cpu - off.cpu).count());
        floor.push_back(f.wall);
        withoutMaps.push_back(base.wall.count());
        scanOff.push_back(off.wall.count());
        scanOn.push_back(on.wall.count());
        apply.push_back(all.wall.count());
        const auto wallRatio = [&](const bench::ProgramRun& run, const bench::ProgramRun& less) {
            return (run.wall - less.wall).count() / f.wall;
        };
        const auto cpuRatio = [&](const bench::ProgramRun& run, const bench::ProgramRun& less) {
            return (run.cpu - less.cpu).count() / f.cpu;
        };
        scanOffRatio.push_back(wallRatio(off, base));
        scanOnRatio.push_back(wallRatio(on, base));
        applyRatio.push_back(wallRatio(all, base));
        batchRatio.push_back(wallRatio(all, off));
        scanOffCpu.push_back(cpuRatio(off, base));
        scanOnCpu.push_back(cpuRatio(on, base));
        applyCpu.push_back(cpuRatio(all, base));
        batchCpu.push_back(cpuRatio(all, off));
        floorWrites.push_back(fw.wall);
        batchToWrites.push_back((all.wall - off.wall).count() / fw.wall);
        batchToWritesCpu.push_back((all.cpu - off.cpu).count() / fw.cpu);
        floorTwice.push_back(f2.wall);
        twiceToWritesCpu.push_back(f2.cpu / fw.cpu);
        batchToTwiceCpu.push_back((all.cpu - off.cpu).count() / f2.cpu);
        std::fprintf(stderr, ".");
    }
    std::fprintf(stderr, "\n");
    std::printf("Times (median, lowest to highest of %d repetitions):\n", repetitions);
    printTime("floor: one read of each map's table", floor);
    printTime("floor with writes: that read written back", floorWrites);
    printTime("tear-free floor: each block written twice", floorTwice);
    printTime("program without maps", withoutMaps);
    printTime("program scan, every texture off", scanOff);
    printTime("program scan, every texture on", scanOn);
    printTime("program applying \"*\"", apply);
    std::printf("Ratios to the floor, less the run without maps (median, spread), in running "
                "time:\n");
    printRatio("scan, every texture off", scanOffRatio, 1.5);
    printRatio("scan, every texture on", scanOnRatio, 1.5);
    printRatio("applying \"*\" (scan and batch)", applyRatio, 3.0);
    printRatio("  of which the batch (less the scan)", batchRatio, 0);
    printRatio("  the batch to the floor with writes", batchToWrites, 0);
    std::printf("The same in processor time (user and system; steady on a shared machine):\n");
    printRatio("scan, every texture off", scanOffCpu, 1.5);
    printRatio("scan, every texture on", scanOnCpu, 1.5);
    printRatio("applying \"*\" (scan and batch)", applyCpu, 3.0);
    printRatio("  of which the batch (less the scan)", batchCpu, 0);
    printRatio("  the batch to the floor with writes", batchToWritesCpu, 1.5);
    printRatio("  the tear-free floor to the floor with writes", twiceToWritesCpu, 0);
    printRatio("  the batch to the tear-free floor", batchToTwiceCpu, 0);
    std::printf("The journal (applying \"*\" with it against QUORVELL_NO_JOURNAL=1):\n");
    printRatio("bytes it adds per run (KiB)", inKiB(journalBytes), 4096);
    printRatio("the batch's added time, running time", journalCost, 0.15);
    printRatio("the batch's added time, processor time", journalCostCpu, 0.15);
}

void coldCases(const bench::SyntheticGame& game, const Program& program, int repetitions) {
    const auto& install = game.install();
    const double allowed = static_cast<double>(install.maps().size()) *
                           static_cast<double>(install.tableBytes() + patching::kRecordsPerBlock *
                                                                          patching::kRecordStride);
    std::vector<double> ratios, bytes, wall;
    for (int r = 0; r < repetitions; ++r) {
        const auto base = program.run(kNoSuchPreset, false, kNoMatch);
        dropFromCache(install);
        const auto cold = program.run(kNoSuchPreset, true, kNoMatch);
        const double read =
            static_cast<double>(cold.bytesFromStorage) - static_cast<double>(base.bytesFromStorage);
        bytes.push_back(read / static_cast<double>(install.maps().size()));
        ratios.push_back(read / allowed);
        wall.push_back((cold.wall - base.wall).count());
    }
    std::printf("Cold page cache (maps dropped with POSIX_FADV_DONTNEED before each scan):\n");
    std::printf("  table bytes per map %zu, plus one block %zu\n", install.tableBytes(),
                patching::kRecordsPerBlock * patching::kRecordStride);
    printRatio("bytes read per map from storage (KiB)", inKiB(bytes), 0);
    printRatio("bytes read / (table + one block per map)", ratios, 1.0);
    printTime("cold scan, less the run without maps", wall);
}

std::filesystem::path besideThisProgram(const char* name) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return (ec ? std::filesystem::path(".") : self.parent_path()) / name;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == bench::kStartupProbeFlag) {
        return bench::startupProbe(argc, argv);
    }
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const char* dir = std::getenv("QUORVELL_BENCH_DIR");
    const auto folder =
        (dir && *dir ? std::filesystem::path(dir) : std::filesystem::temp_directory_path()) /
        ("quorvell-program-bench-" + std::to_string(::getpid()));
    const auto shape = programShape();
    std::printf("Building %zu maps of %zu records, %zu custom textures, in %s...\n", shape.maps,
                shape.recordsPerMap, shape.customTextures, folder.c_str());
    std::fflush(stdout);
    try {
        const bench::SyntheticGame game(folder, shape);
        // The window's runs below journal too: into the install's folder,
        // not the user's.
        ::setenv("XDG_STATE_HOME", (game.home() / ".local" / "state").c_str(), 1);
        const Program program(besideThisProgram("quorvell"), game);
        programCases(game, program, repetitions);
        // The cold case last: maps read back from the disk copy out of the
        // page cache more slowly here than freshly written ones, and every
        // figure against the floor would move with that.
        bench::windowCases(game, std::filesystem::read_symlink("/proc/self/exe"), repetitions,
                           [&] { return floorTime(game.install(), FloorWrites::None).cpu; });
        coldCases(game, program, std::max(1, repetitions / 3));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvell_program_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
