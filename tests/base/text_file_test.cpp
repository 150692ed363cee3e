// Text files are read up to a cap, by the bytes read rather than the size a
// file claims.

#include "base/io_error.h"
#include "base/text_file.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvell::testing {
namespace {

void expectTooLarge(const std::filesystem::path& file) {
    try {
        readTextFile(file);
        ADD_FAILURE() << "read " << file;
    } catch (const IoError& error) {
        EXPECT_EQ(error.path(), file.string());
        EXPECT_NE(error.reason().find("256 MiB"), std::string::npos) << error.reason();
    }
}

TEST(TextFile, MoreThanTheCapIsRefusedWhateverTheFileClaims) {
    const TempDir dir;
    const auto big = dir.write("big.ini", "x");
    std::filesystem::resize_file(big, kTextFileCap + 1); // sparse
    expectTooLarge(big);
    std::filesystem::resize_file(big, 3);
    EXPECT_EQ(readTextFile(big)->size(), 3u);
#ifndef _WIN32
    // Regular by its type, 0 bytes by its size, and endless.
    const auto endless = dir.path() / "Presets.ini";
    std::filesystem::create_symlink("/proc/self/pagemap", endless);
    expectTooLarge(endless);
#endif
}

} // namespace
} // namespace quorvell::testing
