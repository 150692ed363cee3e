#include "discovery/steam_libraries.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvell::discovery {
namespace {

using Paths = std::vector<std::filesystem::path>;

constexpr const char* kNewLayout = R"("libraryfolders"
{
	"0"
	{
		"path"		"/home/u/.local/share/Steam"
		"label"		""
		"contentid"		"123"
		"apps"
		{
			"6980"		"1234567"
		}
	}
	"1"
	{
		"label"		"Games \"disk\""
		"path"		"/mnt/games/Steam\\Library"
	}
}
)";

constexpr const char* kOldLayout = R"("LibraryFolders"
{
	// written by an older Steam client
	"TimeNextStatsReport"		"1700000000"
	"ContentStatsID"		"-123"
	"1"		"/mnt/old"
	"2"		"/mnt/older" [$LINUX]
}
)";

TEST(LibraryFolders, ReadsBothLayouts) {
    EXPECT_EQ(parseLibraryFolders(kNewLayout),
              (Paths{"/home/u/.local/share/Steam", "/mnt/games/Steam\\Library"}));
    EXPECT_EQ(parseLibraryFolders(kOldLayout), (Paths{"/mnt/old", "/mnt/older"}));
}

TEST(LibraryFolders, DamagedOrForeignTextGivesNoLibraries) {
    EXPECT_TRUE(parseLibraryFolders("").empty());
    EXPECT_TRUE(parseLibraryFolders(R"("libraryfolders" { "1" { "path" "/x" )").empty());
    EXPECT_TRUE(parseLibraryFolders(R"("other" { "1" "/x" })").empty());
    EXPECT_TRUE(parseLibraryFolders(R"("libraryfolders" "1")").empty());
    EXPECT_TRUE(parseLibraryFolders(std::string(200, '{')).empty());
}

} // namespace
} // namespace quorvell::discovery
