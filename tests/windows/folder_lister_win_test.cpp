// The texture and map folder lister against the Windows file system.

#include "base/io_error.h"
#include "base/windows_text.h"
#include "discovery/folder_enumeration.h"
#include "discovery/folder_lister.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <algorithm>
#include <windows.h>

namespace {

namespace fs = std::filesystem;
using namespace quorvell::discovery;
using quorvell::IoError;
using quorvell::testing::TempDir;

std::vector<std::string> sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FolderListerWinTest, LeavesOutHiddenSystemAndFolders) {
    TempDir dir;
    dir.write("Wall_a.dds", "x");
    const fs::path hidden = dir.write("Hidden.dds", "x");
    const fs::path system = dir.write("System.dds", "x");
    const fs::path both = dir.write("Both.dds", "x");
    dir.write("ReadOnly.dds", "x");
    ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(system.c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesW(both.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(SetFileAttributesW((dir.path() / "ReadOnly.dds").c_str(), FILE_ATTRIBUTE_READONLY));
    fs::create_directory(dir.path() / "Folder.dds");

    EXPECT_EQ(sorted(listVisibleRegularFiles(dir.path())),
              (std::vector<std::string>{"ReadOnly.dds", "Wall_a.dds"}));

    SetFileAttributesW((dir.path() / "ReadOnly.dds").c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const auto& p : {hidden, system, both}) {
        SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(FolderListerWinTest, NamesAsStoredInUtf8) {
    TempDir dir;
    dir.write(L"\u00dcberwald.DDS", "x");                  // in the ANSI code page
    dir.write(L"\u0413\u043e\u0440\u043e\u0434.dds", "x"); // not in it
    dir.write(L"Stone Wall.dds", "x");
    EXPECT_EQ(listFolder(dir.path(), "*.dds"),
              (std::vector<std::string>{"Stone Wall.dds",
                                        "\xc3\x9c"
                                        "berwald.DDS",
                                        "\xd0\x93\xd0\xbe\xd1\x80\xd0\xbe\xd0\xb4.dds"}));
}

TEST(FolderListerWinTest, PatternIsMatchedOnTheRealNameOnly) {
    // The file system's own "*.dds" would also match through 8.3 short names
    // such as TEXTUR~1.DDS for these.
    TempDir dir;
    dir.write("texture.ddsx", "x");
    dir.write("texture.dds.bak", "x");
    dir.write("long texture name.dds", "x");
    EXPECT_EQ(listFolder(dir.path(), "*.dds"), (std::vector<std::string>{"long texture name.dds"}));
}

TEST(FolderListerWinTest, EmptyFolderListsNothing) {
    TempDir dir;
    EXPECT_TRUE(listVisibleRegularFiles(dir.path()).empty());
}

TEST(FolderListerWinTest, MissingFolderNamesFolderAndReason) {
    TempDir dir;
    for (const fs::path& missing : {dir.path() / L"Content\\T3\\Bitmaps", dir.path() / "Nope"}) {
        try {
            listFolder(missing, "*.dds");
            FAIL() << "listed a folder that does not exist";
        } catch (const IoError& e) {
            EXPECT_EQ(e.path(), quorvell::win::pathUtf8(missing));
            EXPECT_EQ(e.reason(), quorvell::win::errorReason(ERROR_PATH_NOT_FOUND));
        }
    }
}

TEST(FolderListerWinTest, FileInsteadOfFolderIsAnError) {
    TempDir dir;
    const fs::path file = dir.write("Bitmaps", "not a folder");
    EXPECT_THROW(listFolder(file, "*.dds"), IoError);
}

} // namespace
