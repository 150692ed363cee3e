#include "base/io_error.h"
#include "discovery/folder_lister.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quorvell::discovery {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

struct PatternCase {
    const char* name;
    const char* pattern;
    bool matches;
};

class Patterns : public ::testing::TestWithParam<PatternCase> {};

TEST_P(Patterns, MatchWithoutCase) {
    EXPECT_EQ(matchesPattern(GetParam().name, GetParam().pattern), GetParam().matches)
        << GetParam().name << " vs " << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Lister, Patterns,
    ::testing::Values(
        PatternCase{"Wall_a.dds", "*.dds", true}, PatternCase{"LOADING3.DDS", "*.dds", true},
        PatternCase{"map.IbT", "*.ibt", true}, PatternCase{"wall.dds.bak", "*.dds", false},
        PatternCase{"wall.ddsx", "*.dds", false}, PatternCase{"walldds", "*.dds", false},
        PatternCase{".dds", "*.dds", true}, PatternCase{"a.dds", "?.dds", true},
        PatternCase{"\xC3\xA9.dds", "?.dds", true}, // one character, two bytes
        PatternCase{"ab.dds", "?.dds", false},
        PatternCase{"\xC3\x89T\xC3\x89.DDS", "\xC3\xA9t\xC3\xA9.dds", true},
        PatternCase{"a.b.c.dds", "*.*.dds", true}, PatternCase{"aXbXbXc", "*b*c", true},
        PatternCase{"aXbXbX", "*b*c", false}, PatternCase{"", "*", true},
        PatternCase{"x", "", false}));

class FolderListing : public ::testing::Test {
protected:
    testing::TempDir dir;
};

TEST_F(FolderListing, ListsOnlyRegularFilesMatchingThePatternInSortedOrder) {
    for (const char* name : {"wall.dds", "_x.dds", "B.DDS", "notes.txt", "a.dds.txt"}) {
        dir.write(name, "x");
    }
    fs::create_directory(dir.path() / "folder.dds");
    EXPECT_EQ(listFolder(dir.path(), "*.dds"), (Names{"_x.dds", "B.DDS", "wall.dds"}));
}

#if !defined(_WIN32)
TEST_F(FolderListing, LeavesOutDotFilesFifosAndLinksToNonFiles) {
    for (const char* name : {"wall.dds", "Wall.dds", ".hidden.dds"}) {
        dir.write(name, "x");
    }
    fs::create_directory(dir.path() / "folder.dds");
    ASSERT_EQ(mkfifo((dir.path() / "pipe.dds").c_str(), 0600), 0);
    fs::create_symlink(dir.path() / "wall.dds", dir.path() / "link.dds");
    fs::create_symlink(dir.path() / "gone", dir.path() / "broken.dds");
    fs::create_directory_symlink(dir.path() / "folder.dds", dir.path() / "dirlink.dds");
    EXPECT_EQ(listFolder(dir.path(), "*.dds"), (Names{"link.dds", "Wall.dds", "wall.dds"}));
}
#endif

TEST_F(FolderListing, AnEmptyFolderIsNoError) {
    EXPECT_TRUE(listFolder(dir.path(), "*.dds").empty());
}

TEST_F(FolderListing, AFolderThatCannotBeListedNamesItself) {
    const fs::path missing = dir.path() / "Content" / "T3";
    try {
        listFolder(missing, "*.dds");
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_EQ(error.path(), missing.string());
        EXPECT_FALSE(error.reason().empty());
    }
    const fs::path file = dir.write("file.dds", "x");
    EXPECT_THROW(listFolder(file, "*.dds"), IoError);
}

#if !defined(_WIN32)
TEST_F(FolderListing, AnUnreadableFolderIsAnError) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every folder";
    }
    const fs::path locked = dir.path() / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::none);
    EXPECT_THROW(listFolder(locked, "*.dds"), IoError);
}
#endif

} // namespace
} // namespace quorvell::discovery
