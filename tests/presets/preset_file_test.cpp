#include "base/ansi_text.h"
#include "base/io_error.h"
#include "presets/preset_file.h"
#include "tests/support/temp_dir.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace quorvell::presets {
namespace {

using Lines = std::vector<std::string>;

struct LineEndCase {
    const char* label;
    std::string bytes;
    Lines lines;
};

class LineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnds, SplitAsALineByLineReaderDoes) {
    EXPECT_EQ(parsePresetText(GetParam().bytes).lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    PresetText, LineEnds,
    ::testing::Values(LineEndCase{"empty", "", {}}, LineEndCase{"crlf", "a\r\nb\r\n", {"a", "b"}},
                      LineEndCase{"lone_cr", "a\rb\r", {"a", "b"}},
                      LineEndCase{"no_final_end", "a\r\nb", {"a", "b"}},
                      LineEndCase{"lf_ends_a_line", "a{\nb\n}\n", {"a{", "b", "}"}},
                      LineEndCase{"lf_cr", "a\n\rb", {"a", "", "b"}},
                      LineEndCase{"blank_lines_kept", "\r\n\r\nx\r\n\r\n", {"", "", "x", ""}},
                      LineEndCase{"only_line_end", "\r\n", {""}},
                      LineEndCase{"cr_cr_lf", "a\r\r\nb", {"a", "", "b"}},
                      LineEndCase{"spaces_kept", "  a b  \r\n\t}\r\n", {"  a b  ", "\t}"}}),
    [](const auto& tc) { return std::string(tc.param.label); });

TEST(PresetText, NamesAreTheTextBeforeTheFirstBraceInFileOrder) {
    const auto file = parsePresetText("junk\r\nno textures{\r\nxbrick\r\n}\r\nwalls {x{\r\n"
                                      "a{b\r\n}\r\n{\r\nwalls {\r\n}\r\n");
    EXPECT_EQ(file.names, (Lines{"no textures", "walls ", "a", "", "walls "}));
    ASSERT_EQ(file.lines.size(), 10u);
    EXPECT_EQ(file.lines[4], "walls {x{");
    EXPECT_EQ(file.lines[0], "junk");
}

TEST(PresetText, LinesAreDecodedFromTheAnsiCodePage) {
    // Whatever the code page, each line is its own bytes decoded.
    const auto file = parsePresetText("Fen\xEAtre{\r\nMur_\xE9t\xE9.dds\r\n}");
    EXPECT_EQ(file.names, (Lines{ansi::toUtf8("Fen\xEAtre")}));
    EXPECT_EQ(file.lines[1], ansi::toUtf8("Mur_\xE9t\xE9.dds"));
    EXPECT_EQ(file.lines[2], "}");
}

TEST(ImportPresets, ReadsPresetsIniOfTheWorkingDirectory) {
    testing::TempDir dir;
    dir.write("Presets.ini", "walls{\r\nWall_a.dds\r\n}\r\n");
    const auto file = loadPresetFile(dir.path());
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->names, (Lines{"walls"}));
    EXPECT_EQ(file->lines, (Lines{"walls{", "Wall_a.dds", "}"}));
}

TEST(ImportPresets, MissingFileIsNoPresetsNotAFailure) {
    testing::TempDir dir;
    dir.write("presets.txt", "walls{\r\n}\r\n");
    EXPECT_EQ(loadPresetFile(dir.path()), std::nullopt);
    EXPECT_EQ(loadPresetFile(dir.path() / "no such folder"), std::nullopt);
}

// Started by a launcher in the home folder, the program still finds the file
// kept beside it; the working directory's own file comes first.
TEST(ImportPresets, ThenLooksBesideTheProgram) {
    testing::TempDir dir;
    dir.write("program/Presets.ini", "beside{\r\n}\r\n");
    std::filesystem::create_directories(dir.path() / "home");
    const std::vector<std::filesystem::path> places{dir.path() / "home", dir.path() / "program"};
    auto file = findPresetFile(places);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->names, (Lines{"beside"}));
    EXPECT_EQ(file->path, dir.path() / "program" / "Presets.ini");

    dir.write("home/Presets.ini", "own{\r\n}\r\n");
    EXPECT_EQ(findPresetFile(places)->names, (Lines{"own"}));

    EXPECT_EQ(findPresetFile({dir.path() / "a", dir.path() / "b"}), std::nullopt);
    EXPECT_EQ(noPresetFileNote({dir.path() / "a", dir.path() / "b", dir.path() / "a"}),
              "there is no Presets.ini in " + (dir.path() / "a").string() + " nor in " +
                  (dir.path() / "b").string());
}

TEST(ImportPresets, EmptyFileGivesEmptyLists) {
    testing::TempDir dir;
    dir.write("Presets.ini", "");
    const auto file = loadPresetFile(dir.path());
    ASSERT_TRUE(file.has_value());
    EXPECT_TRUE(file->lines.empty());
    EXPECT_TRUE(file->names.empty());
}

TEST(ImportPresets, AFolderInItsPlaceIsAFailureNamingThePath) {
    testing::TempDir dir;
    std::filesystem::create_directory(dir.path() / "Presets.ini");
    try {
        (void)loadPresetFile(dir.path());
        FAIL() << "expected IoError";
    } catch (const IoError& e) {
        EXPECT_NE(e.path().find("Presets.ini"), std::string::npos);
        EXPECT_FALSE(e.reason().empty());
    }
}

#ifndef _WIN32
TEST(ImportPresets, AFileThatCannotBeReachedIsAFailureNotAMissingFile) {
    testing::TempDir dir;
    std::filesystem::create_symlink("Presets.ini", dir.path() / "Presets.ini");
    try {
        (void)loadPresetFile(dir.path());
        FAIL() << "expected IoError";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), (dir.path() / "Presets.ini").string());
        EXPECT_EQ(e.reason(),
                  std::make_error_code(std::errc::too_many_symbolic_link_levels).message());
    }
}

// A named pipe would block a plain open until something wrote to it.
TEST(ImportPresets, ANamedPipeIsRefusedAtOnce) {
    testing::TempDir dir;
    ASSERT_EQ(::mkfifo((dir.path() / "Presets.ini").c_str(), 0600), 0);
    try {
        (void)loadPresetFile(dir.path());
        FAIL() << "expected IoError";
    } catch (const IoError& e) {
        EXPECT_EQ(e.reason(), "is a named pipe, not a file");
    }
}

TEST(ImportPresets, UnreadableFileIsAFailureWithTheSystemsReason) {
    testing::TempDir dir;
    const auto path = dir.write("Presets.ini", "walls{\r\n}\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (probe != nullptr) {
        std::fclose(probe);
        GTEST_SKIP() << "running with rights that ignore file permissions";
    }
    try {
        (void)loadPresetFile(dir.path());
        FAIL() << "expected IoError";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), path.string());
        EXPECT_EQ(e.reason(), systemReason(EACCES));
    }
}
#endif

} // namespace
} // namespace quorvell::presets
