// Map file access against the Windows file system: share modes that let the
// game keep its files open, write access only when needed, the system's own
// reasons in errors.

#include "base/io_error.h"
#include "base/windows_text.h"
#include "patching/map_io.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <string>
#include <windows.h>

namespace {

namespace fs = std::filesystem;
using quorvell::IoError;
using quorvell::patching::MapIo;
using quorvell::testing::readFile;
using quorvell::testing::TempDir;

// The game, or anyone else, holding the file open.
class OtherHandle {
public:
    OtherHandle(const fs::path& path, DWORD access, DWORD share)
        : h_(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr)) {}
    OtherHandle(const OtherHandle&) = delete;
    OtherHandle& operator=(const OtherHandle&) = delete;
    ~OtherHandle() {
        if (ok()) {
            CloseHandle(h_);
        }
    }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

std::string readAll(MapIo& io, std::size_t size) {
    std::string bytes(size, '\0');
    bytes.resize(io.read(0, bytes.data(), size));
    return bytes;
}

class MapIoWinTest : public ::testing::Test {
protected:
    TempDir dir;
    fs::path map = dir.write(L"Maps\\\u041a\u0430\u0440\u0442\u0430 1.ibt", "0123456789");
};

TEST_F(MapIoWinTest, ReadsAndWritesWhileTheGameSharesWriting) {
    OtherHandle game(map, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(game.ok());
    MapIo io(map);
    EXPECT_EQ(readAll(io, 64), "0123456789");
    EXPECT_FALSE(io.writable());
    io.write(2, "ab");
    EXPECT_TRUE(io.writable());
    char back[4] = {};
    ASSERT_EQ(io.read(1, back, 4), 4u);
    EXPECT_EQ(std::string(back, 4), "1ab4");
}

TEST_F(MapIoWinTest, WriteRefusedWhileTheGameForbidsItNamesFileAndReason) {
    OtherHandle game(map, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(game.ok());
    MapIo io(map); // reading is still allowed
    EXPECT_EQ(readAll(io, 64), "0123456789");
    try {
        io.write(0, "x");
        FAIL() << "write went through a handle that does not share writing";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), quorvell::win::pathUtf8(map));
        EXPECT_EQ(e.reason(), quorvell::win::errorReason(ERROR_SHARING_VIOLATION));
        EXPECT_FALSE(e.reason().empty());
    }
    EXPECT_FALSE(io.writable());
    EXPECT_EQ(readFile(map), "0123456789");
}

TEST_F(MapIoWinTest, AnOpenMapStandsInNobodysWay) {
    MapIo io(map);
    ASSERT_EQ(readAll(io, 3), "012");
    // A player renaming the file, and the game opening it for writing with
    // its own narrow sharing, both still work.
    const fs::path renamed = map.parent_path() / "renamed.ibt";
    EXPECT_TRUE(MoveFileW(map.c_str(), renamed.c_str()))
        << quorvell::win::errorReason(GetLastError());
    OtherHandle writer(renamed, GENERIC_WRITE, FILE_SHARE_READ);
    EXPECT_TRUE(writer.ok()) << quorvell::win::errorReason(GetLastError());
}

TEST_F(MapIoWinTest, ReadOnlyMapIsScannedButNotWritten) {
    ASSERT_TRUE(SetFileAttributesW(map.c_str(), FILE_ATTRIBUTE_READONLY));
    if (OtherHandle(map, GENERIC_WRITE, FILE_SHARE_READ).ok()) {
        SetFileAttributesW(map.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "the read-only attribute is not enforced here (Wine running as root)";
    }
    {
        MapIo io(map);
        EXPECT_EQ(readAll(io, 64), "0123456789");
        try {
            io.write(0, "x");
            FAIL() << "wrote a read-only file";
        } catch (const IoError& e) {
            EXPECT_EQ(e.path(), quorvell::win::pathUtf8(map));
            EXPECT_EQ(e.reason(), quorvell::win::errorReason(ERROR_ACCESS_DENIED));
        }
    }
    SetFileAttributesW(map.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(map), "0123456789");
}

TEST_F(MapIoWinTest, VanishedMapIsNeverCreated) {
    for (const fs::path& gone :
         {dir.path() / "Maps" / "gone.ibt", dir.path() / "NoMaps" / "a.ibt"}) {
        MapIo io(gone);
        EXPECT_TRUE(io.vanished());
        char byte = 0;
        EXPECT_THROW(io.read(0, &byte, 1), IoError);
        EXPECT_THROW(io.write(0, "x"), IoError);
        EXPECT_FALSE(fs::exists(gone));
    }
}

TEST_F(MapIoWinTest, FoldersAndDevicesAreNoMaps) {
    fs::create_directory(dir.path() / "Folder.ibt");
    EXPECT_THROW(MapIo(dir.path() / "Folder.ibt"), IoError);
    EXPECT_THROW(MapIo(fs::path(L"NUL")), IoError);
}

TEST_F(MapIoWinTest, ReadsStopAtTheEnd) {
    MapIo io(map);
    char buffer[8] = {};
    EXPECT_EQ(io.read(8, buffer, 8), 2u);
    EXPECT_EQ(std::string(buffer, 2), "89");
    EXPECT_EQ(io.read(10, buffer, 8), 0u);
    EXPECT_EQ(io.read(1u << 20, buffer, 8), 0u);
}

TEST_F(MapIoWinTest, ReplacedMapIsNotWrittenThrough) {
    MapIo io(map);
    ASSERT_EQ(readAll(io, 2), "01");
    // Moved aside (the open map shares deleting) and a new file put in its
    // place: a write must not land in the newcomer.
    const fs::path aside = map.parent_path() / "aside.ibt";
    ASSERT_TRUE(MoveFileW(map.c_str(), aside.c_str()))
        << quorvell::win::errorReason(GetLastError());
    dir.write(map.lexically_relative(dir.path()), "abcdefghij");
    EXPECT_THROW(io.write(0, "x"), IoError);
    EXPECT_EQ(readFile(map), "abcdefghij");
    EXPECT_EQ(readFile(aside), "0123456789");
}

} // namespace
