#include "discovery/game_root.h"
#include "discovery/wine_registry.h"
#include "tests/discovery/fake_wine.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace quorvell::discovery {
namespace {

using namespace std::string_literals;
using testing::wineGameKey;
using testing::wineSystemReg;

std::string rootFrom(std::string_view systemRegText) {
    const auto registry = WineRegistryFile::fromText(systemRegText);
    return readRegistryString(registry, kGameKey, kGameRootValue, "<none>");
}

struct ValueCase {
    const char* label;
    std::string valueLine;
    std::string root;
};

class WineValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(WineValues, FollowTheRulesOfTheAnsiReader) {
    EXPECT_EQ(rootFrom(wineSystemReg(wineGameKey(GetParam().valueLine))), GetParam().root);
}

INSTANTIATE_TEST_SUITE_P(
    NulRules, WineValues,
    ::testing::Values(
        ValueCase{"terminated", R"("ION_ROOT"="C:\\Games\\Thief - Deadly Shadows")",
                  "C:\\Games\\Thief - Deadly Shadows"},
        // Wine writes a string without its NUL as UTF-16LE bytes.
        ValueCase{"unterminated", R"("ION_ROOT"=hex(1):43,00,3a,00,5c,00,54,00)", "C:\\T"},
        ValueCase{"unterminated_continued",
                  "\"ION_ROOT\"=hex(1):43,00,3a,00,\\\n  5c,00,54,00,33,00", "C:\\T3"},
        ValueCase{"hex_with_nul_inside", R"("ION_ROOT"=hex(1):41,00,00,00,42,00)", "A"},
        ValueCase{"embedded_nul", R"("ION_ROOT"="C:\\Games\0D:\\Other")", "C:\\Games"},
        ValueCase{"empty", R"("ION_ROOT"="")", ""},
        ValueCase{"empty_hex", R"("ION_ROOT"=hex(1):)", ""},
        ValueCase{"trailing_backslash", R"("ION_ROOT"="C:\\Games\\Thief\\")",
                  "C:\\Games\\Thief\\"}),
    [](const auto& param) { return std::string(param.param.label); });

INSTANTIATE_TEST_SUITE_P(
    OtherTypes, WineValues,
    ::testing::Values(ValueCase{"expanding", R"("ION_ROOT"=str(2):"C:\\Games")", "<none>"},
                      ValueCase{"str7", R"("ION_ROOT"=str(7):"C:\\Games")", "<none>"},
                      ValueCase{"binary", R"("ION_ROOT"=hex:43,00,3a,00)", "<none>"},
                      ValueCase{"hex_expanding", R"("ION_ROOT"=hex(2):43,00,00,00)", "<none>"},
                      ValueCase{"dword", R"("ION_ROOT"=dword:00000001)", "<none>"},
                      ValueCase{"other_name", R"("ION_ROOT2"="C:\\Games")", "<none>"},
                      ValueCase{"damaged_line", R"("ION_ROOT"="C:\\Games)", "<none>"}),
    [](const auto& param) { return std::string(param.param.label); });

// Escapes as Wine writes them; text ends up in the ANSI code page and then
// UTF-8, as the program keeps it.
INSTANTIATE_TEST_SUITE_P(
    Escapes, WineValues,
    ::testing::Values(
        ValueCase{"quote_and_backslash", R"("ION_ROOT"="a\"b\\c")", "a\"b\\c"},
        ValueCase{"c_letters", R"("ION_ROOT"="\a\b\t\n\v\f\r\e")", "\a\b\t\n\v\f\r\x1B"},
        ValueCase{"octal", R"("ION_ROOT"="\101\60x\0017")",
                  "A0x\x01"
                  "7"},
        ValueCase{"hex_four_digits_at_most", R"("ION_ROOT"="\x00e9t\x00411")", "\xC3\xA9tA1"},
        ValueCase{"hex_short", R"("ION_ROOT"="\x41-")", "A-"},
        ValueCase{"hex_without_digits", R"("ION_ROOT"="\xg")", "xg"},
        ValueCase{"euro_in_code_page", R"("ION_ROOT"="\x20ac")", "\xE2\x82\xAC"},
        ValueCase{"outside_code_page", R"("ION_ROOT"="C:\\\x4e2d")", "C:\\?"},
        ValueCase{"unknown_letter", R"("ION_ROOT"="\q")", "q"},
        ValueCase{"raw_utf8", "\"ION_ROOT\"=\"C:\\\\\xC3\xA9t\xC3\xA9\"", "C:\\\xC3\xA9t\xC3\xA9"},
        ValueCase{"hex_utf16_latin", R"("ION_ROOT"=hex(1):e9,00)", "\xC3\xA9"}),
    [](const auto& param) { return std::string(param.param.label); });

TEST(WineRegistry, LooksUnderWow6432NodeBeforeTheNativeKey) {
    const std::string both = wineSystemReg(wineGameKey(R"("ION_ROOT"="C:\\Native")", false) +
                                           wineGameKey(R"("ION_ROOT"="C:\\Wow")", true));
    EXPECT_EQ(rootFrom(both), "C:\\Wow");

    const std::string nativeOnly = wineSystemReg(wineGameKey(R"("ION_ROOT"="C:\\Native")", false));
    EXPECT_EQ(rootFrom(nativeOnly), "C:\\Native");

    // The 32-bit key exists but lacks the value: the native one still counts.
    const std::string wowEmpty = wineSystemReg(wineGameKey(R"("Other"="x")", true) +
                                               wineGameKey(R"("ION_ROOT"="C:\\Native")", false));
    EXPECT_EQ(rootFrom(wowEmpty), "C:\\Native");
}

TEST(WineRegistry, ComparesKeyAndValueNamesWithoutCase) {
    const std::string text = wineSystemReg(
        "[SOFTWARE\\\\WOW6432NODE\\\\ion storm\\\\THIEF - deadly shadows] 1700000000\n"
        "\"ion_root\"=\"C:\\\\Games\"\n");
    EXPECT_EQ(rootFrom(text), "C:\\Games");
}

TEST(WineRegistry, ReadsValuesAsTheAnsiFunctionsHandThemOver) {
    const auto registry = WineRegistryFile::fromText(wineSystemReg(wineGameKey(
        "\"Sz\"=\"ab\"\n\"Bin\"=hex:01,ff,\\\n  7f\n\"Num\"=dword:0000012c\n@=\"default\"")));
    const auto sz = registry.queryLocalMachine(kGameKey, "Sz");
    ASSERT_TRUE(sz);
    EXPECT_EQ(sz->type, 1u);
    EXPECT_EQ(sz->data, "ab\0"s); // stored with its NUL
    const auto bin = registry.queryLocalMachine(kGameKey, "bin");
    ASSERT_TRUE(bin);
    EXPECT_EQ(bin->type, 3u);
    EXPECT_EQ(bin->data, "\x01\xff\x7f"s);
    const auto num = registry.queryLocalMachine(kGameKey, "NUM");
    ASSERT_TRUE(num);
    EXPECT_EQ(num->type, 4u);
    EXPECT_EQ(num->data, "\x2c\x01\0\0"s);
    const auto byDefault = registry.queryLocalMachine(kGameKey, "");
    ASSERT_TRUE(byDefault);
    EXPECT_EQ(byDefault->data, "default\0"s);
}

TEST(WineRegistry, SkipsCommentsOptionsAndDamagedLinesButKeepsTheRest) {
    const std::string text =
        wineSystemReg(wineGameKey(";; a comment\r\n#class=\"x\"\r\n\"Broken\"=hex:zz\r\n"
                                  "\"Unknown\"=nonsense\r\n\"ION_ROOT\"=\"C:\\\\Games\"\r\n"));
    EXPECT_EQ(rootFrom(text), "C:\\Games");
}

TEST(WineRegistry, KeyNamesKeepEscapedBrackets) {
    const auto registry = WineRegistryFile::fromText(
        wineSystemReg("[Software\\\\A\\]B\\\\C] 1700000000\n\"V\"=\"1\"\n"));
    EXPECT_EQ(readRegistryString(registry, "Software\\A]B\\C", "V"), "1");
}

TEST(WineRegistry, TextWithoutWineHeaderHoldsNothing) {
    EXPECT_EQ(rootFrom(wineGameKey(R"("ION_ROOT"="C:\\Games")")), "<none>");
    EXPECT_EQ(rootFrom("REGEDIT4\n" + wineGameKey(R"("ION_ROOT"="C:\\Games")")), "<none>");
    EXPECT_EQ(rootFrom(""), "<none>");
}

TEST(WineRegistry, MissingKeyOrFileGivesTheDefault) {
    EXPECT_EQ(rootFrom(wineSystemReg("")), "<none>");

    testing::TempDir dir;
    const WineRegistryFile missing(dir.path() / "no-such" / "system.reg");
    EXPECT_EQ(readRegistryString(missing, kGameKey, kGameRootValue, "<none>"), "<none>");
    // A folder where the file should be cannot be read either.
    std::filesystem::create_directories(dir.path() / "system.reg");
    const WineRegistryFile folder(dir.path() / "system.reg");
    EXPECT_EQ(readRegistryString(folder, kGameKey, kGameRootValue, "<none>"), "<none>");
#ifndef _WIN32
    // Nor a named pipe, which must not be waited on.
    ASSERT_EQ(::mkfifo((dir.path() / "pipe.reg").c_str(), 0600), 0);
    const WineRegistryFile pipe(dir.path() / "pipe.reg");
    EXPECT_EQ(readRegistryString(pipe, kGameKey, kGameRootValue, "<none>"), "<none>");
#endif
}

TEST(WineRegistry, ReadsTheFileFromDisk) {
    testing::TempDir dir;
    const auto file = dir.write("system.reg", wineSystemReg(wineGameKey(R"("ION_ROOT"="D:\\T3")")));
    EXPECT_EQ(readRegistryString(WineRegistryFile(file), kGameKey, kGameRootValue), "D:\\T3");
}

} // namespace
} // namespace quorvell::discovery
