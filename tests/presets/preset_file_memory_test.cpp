// Its own test program: it counts every allocation through the global
// operator new, so the peak of a load can be measured exactly.

#include "presets/preset_file.h"
#include "tests/support/temp_dir.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <malloc.h>
#include <new>

namespace {
std::atomic<std::size_t> live{0};
std::atomic<std::size_t> peak{0};
} // namespace

void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    const std::size_t now = live += malloc_usable_size(block);
    for (std::size_t seen = peak; now > seen && !peak.compare_exchange_weak(seen, now);) {
    }
    return block;
}

// GCC takes the free() of a replaced operator delete for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* block) noexcept {
    if (block != nullptr) {
        live -= malloc_usable_size(block);
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}

namespace quorvell::presets {
namespace {

TEST(PresetFileMemory, ALargeFileLoadsWithinTwiceItsSize) {
    testing::TempDir dir;
    std::string text;
    for (int i = 0; text.size() < 50u * 1024 * 1024; ++i) {
        text += i % 50 == 0 ? "preset " + std::to_string(i) + "{\r\n"
                            : "Wall_brick_" + std::to_string(i) + ".dds\r\n";
    }
    dir.write("Presets.ini", text);
    const std::size_t size = text.size();
    text = std::string();

    const std::size_t before = live;
    peak = before;
    const auto file = loadPresetFile(dir.path());
    ASSERT_TRUE(file.has_value());
    EXPECT_GT(file->lines.size(), 1000000u);
    EXPECT_LE(peak - before, 2 * size);
}

} // namespace
} // namespace quorvell::presets
