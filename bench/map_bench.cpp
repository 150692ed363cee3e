// The engine against a synthetic install, beside the floor: one plain read of
// each map's table bytes. Prints each operation's ratio to its floor at the
// end. Environment: QUORVELL_BENCH_MAPS (default 200), QUORVELL_BENCH_DIR
// (default: the system's temporary folder).

#include "bench/synthetic_install.h"
#include "patching/map_file.h"
#include "patching/map_io.h"
#include "patching/record_walk.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

using namespace quorvell;
using patching::TextureRows;

std::unique_ptr<bench::SyntheticInstall> install;

TextureRows allRows(bool checked) {
    auto rows = install->rows();
    for (auto& row : rows) {
        row.checked = checked;
    }
    return rows;
}

// A buffer that starts on a page boundary, like the engine's blocks: the
// system's copy out of the page cache runs several times slower into memory a
// few bytes past one, so a std::vector (placed wherever the allocator has
// room) would move the floor, and every ratio to it, between builds.
class PageAlignedBuffer {
public:
    explicit PageAlignedBuffer(std::size_t size) : storage_(new char[size + kPage]), size_(size) {
        const auto address = reinterpret_cast<std::uintptr_t>(storage_.get());
        data_ = storage_.get() + (kPage - address % kPage) % kPage;
    }
    char* data() { return data_; }
    std::size_t size() const { return size_; }

private:
    static constexpr std::size_t kPage = 4096;
    std::unique_ptr<char[]> storage_;
    char* data_ = nullptr;
    std::size_t size_;
};

void readTable(const std::filesystem::path& path, PageAlignedBuffer& buffer) {
    patching::MapIo map(path);
    if (map.read(0, buffer.data(), buffer.size()) != buffer.size()) {
        throw std::runtime_error("short read");
    }
}

void Floor(benchmark::State& state) {
    PageAlignedBuffer buffer(install->tableBytes());
    for (auto _ : state) {
        for (const auto& path : install->maps()) {
            readTable(path, buffer);
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * buffer.size() * install->maps().size()));
}

// The floor plus the batch's own writes: the same names at the same offsets.
void FloorPlusWrites(benchmark::State& state) {
    PageAlignedBuffer buffer(install->tableBytes());
    const std::string bytes = "Custom_00000__overridden";
    for (auto _ : state) {
        for (std::size_t m = 0; m < install->maps().size(); ++m) {
            patching::MapIo map(install->maps()[m]);
            map.read(0, buffer.data(), buffer.size());
            for (const auto at : install->customOffsets(m)) {
                map.write(at, std::string_view(buffer.data() + at, bytes.size()));
            }
        }
    }
}

// The walk alone, every reference handed to a handler that does nothing:
// what the scan costs beyond the floor before any lookup.
void WalkOnly(benchmark::State& state) {
    std::size_t references = 0;
    for (auto _ : state) {
        for (const auto& path : install->maps()) {
            patching::MapIo map(path);
            references += patching::walkRecords(map, [](const patching::TextureReference&) {
                              return std::optional<std::string>();
                          }).textureRecords;
        }
    }
    benchmark::DoNotOptimize(references);
}

void Scan(benchmark::State& state) {
    std::size_t marked = 0;
    for (auto _ : state) {
        const patching::ScanIndex index(install->rows());
        patching::ReferenceSet list1;
        for (const auto& path : install->maps()) {
            list1.clear();
            marked += patching::scanMap(path, index, list1, [] {}).size();
        }
    }
    benchmark::DoNotOptimize(marked);
}

// The scan and the floor in turns, map set after map set: both see the same
// load from whatever else runs on the machine, so their ratio holds steady
// where two separately timed figures drift apart. Reports the median of the
// per-iteration ratios.
void ScanAgainstFloor(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    PageAlignedBuffer buffer(install->tableBytes());
    std::vector<double> ratios;
    std::size_t marked = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (const auto& path : install->maps()) {
            readTable(path, buffer);
        }
        benchmark::DoNotOptimize(buffer.data());
        const auto floorEnd = Clock::now();
        const patching::ScanIndex index(install->rows());
        patching::ReferenceSet list1;
        for (const auto& path : install->maps()) {
            list1.clear();
            marked += patching::scanMap(path, index, list1, [] {}).size();
        }
        const auto scanEnd = Clock::now();
        const std::chrono::duration<double> floor = floorEnd - start;
        const std::chrono::duration<double> scan = scanEnd - floorEnd;
        ratios.push_back(scan / floor);
        state.SetIterationTime(scan.count());
    }
    benchmark::DoNotOptimize(marked);
    std::sort(ratios.begin(), ratios.end());
    state.counters["scan/floor"] = ratios.empty() ? 0.0 : ratios[ratios.size() / 2];
}

void BatchAllOn(benchmark::State& state) {
    const auto on = allRows(true);
    const patching::BatchIndex off(allRows(false));
    std::size_t changed = 0;
    for (auto _ : state) {
        const patching::BatchIndex index(on);
        for (const auto& path : install->maps()) {
            changed += patching::patchPresetInMap(path, index, [] {}).referencesChanged;
        }
        state.PauseTiming();
        for (const auto& path : install->maps()) {
            patching::patchPresetInMap(path, off);
        }
        state.ResumeTiming();
    }
    state.counters["writes/iteration"] =
        static_cast<double>(changed) / static_cast<double>(state.iterations());
}

void ToggleOneEverywhere(benchmark::State& state) {
    std::size_t changed = 0;
    for (auto _ : state) {
        // Two textures in turn, each switched on and then off again, so every
        // pass rewrites the references it meets.
        const auto pass = state.iterations();
        const patching::ToggleTarget target(install->rows()[pass % 2].text, pass / 2 % 2 == 0);
        for (const auto& path : install->maps()) {
            changed += patching::switchTextureInMap(path, target, [] {}).referencesChanged;
        }
    }
    state.counters["writes/iteration"] =
        static_cast<double>(changed) / static_cast<double>(state.iterations());
}

// Keeps each benchmark's best time per iteration over its repetitions for
// the ratios: on a shared machine other work only ever adds time, so the
// best repetition is the one nearest the engine's own cost.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                const double time = run.real_accumulated_time / static_cast<double>(run.iterations);
                const auto [at, added] = seconds.emplace(run.run_name.function_name, time);
                if (!added && time < at->second) {
                    at->second = time;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

std::size_t envCount(const char* name, std::size_t fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtoul(value, nullptr, 10) : fallback;
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::InstallShape shape;
    shape.maps = envCount("QUORVELL_BENCH_MAPS", shape.maps);
    const char* dir = std::getenv("QUORVELL_BENCH_DIR");
    const auto folder =
        (dir && *dir ? std::filesystem::path(dir) : std::filesystem::temp_directory_path()) /
        ("quorvell-bench-" + std::to_string(::getpid()));
    const auto needed = shape.maps * (shape.tailBytes + 308 * (shape.recordsPerMap + 1) + 200);
    const auto space = std::filesystem::space(folder.parent_path());
    if (space.available < needed + (needed / 10)) {
        std::fprintf(stderr,
                     "quorvell_bench: %zu MB needed in %s, %ju MB free; set "
                     "QUORVELL_BENCH_DIR or QUORVELL_BENCH_MAPS\n",
                     needed >> 20, folder.parent_path().c_str(),
                     static_cast<std::uintmax_t>(space.available >> 20));
        return 1;
    }
    std::printf("Building %zu maps of %zu texture records and a %zu KiB tail in %s...\n",
                shape.maps, shape.recordsPerMap, shape.tailBytes >> 10, folder.c_str());
    install = std::make_unique<bench::SyntheticInstall>(folder, shape);
    std::printf("%ju MB, %zu custom textures\n",
                static_cast<std::uintmax_t>(install->totalBytes() >> 20), install->rows().size());

    for (auto* b : {benchmark::RegisterBenchmark("Floor", Floor),
                    benchmark::RegisterBenchmark("WalkOnly", WalkOnly),
                    benchmark::RegisterBenchmark("Scan", Scan),
                    benchmark::RegisterBenchmark("FloorPlusWrites", FloorPlusWrites),
                    benchmark::RegisterBenchmark("BatchAllOn", BatchAllOn),
                    benchmark::RegisterBenchmark("ToggleOneEverywhere", ToggleOneEverywhere)}) {
        b->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->ComputeStatistics("min", [](const std::vector<double>& v) {
                return *std::min_element(v.begin(), v.end());
            });
    }
    // Placed after the scan; its time is the scan's, its counter the ratio.
    benchmark::RegisterBenchmark("ScanAgainstFloor", ScanAgainstFloor)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto& s = reporter.seconds;
    const auto ratio = [&](const char* a, const char* b) {
        if (s.count(a) && s.count(b) && s.at(b) > 0) {
            std::printf("  %-20s / %-16s = %.2f\n", a, b, s.at(a) / s.at(b));
        }
    };
    std::printf("Ratios (warm page cache, best repetition of each):\n");
    ratio("WalkOnly", "Floor");
    ratio("Scan", "Floor");
    ratio("BatchAllOn", "FloorPlusWrites");
    ratio("BatchAllOn", "Floor");
    ratio("ToggleOneEverywhere", "Floor");
    install.reset();
    return 0;
}
