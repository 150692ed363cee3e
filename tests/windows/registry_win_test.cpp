// The registry lookup against real values, written the way an installer or
// a player would write them: with reg.exe, in either registry view.

#include "discovery/game_root.h"
#include "discovery/registry.h"
#include "discovery/windows_registry.h"
#include "tests/windows/process.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <optional>
#include <string>
#include <windows.h>

namespace {

using namespace quorvell::discovery;
using quorvell::testing::win::runningUnderWine;
using quorvell::testing::win::runProcess;

constexpr const wchar_t* kTestKey = L"HKLM\\SOFTWARE\\Quorvell Tests";
constexpr std::string_view kTestPath = "SOFTWARE\\Quorvell Tests";

bool keyExists(const wchar_t* subKey, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, KEY_QUERY_VALUE | view, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

bool reg(const std::wstring& arguments) {
    return runProcess({}, L"reg.exe " + arguments).exitCode == 0;
}

void deleteEverywhere(const std::wstring& key) {
    reg(L"delete \"" + key + L"\" /f /reg:32");
    reg(L"delete \"" + key + L"\" /f /reg:64");
}

// view is L"32" or L"64".
bool add(const std::wstring& subKey, const std::wstring& name, const std::wstring& type,
         const std::wstring& data, const std::wstring& view) {
    return reg(L"add \"" + std::wstring(kTestKey) + L"\\" + subKey + L"\" /v " + name + L" /t " +
               type + L" /d " + data + L" /f /reg:" + view);
}

// reg add cannot put a NUL inside a string or leave its terminator out (and
// reg import reads hex(1) data differently on Wine and Windows), so these are
// written with the stored UTF-16 bytes directly.
bool setRawString(const wchar_t* name, std::u16string_view stored) {
    HKEY key = nullptr;
    const std::wstring path = L"SOFTWARE\\Quorvell Tests\\Raw";
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG status =
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.data()),
                       static_cast<DWORD>(stored.size() * sizeof(char16_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

class WindowsRegistryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        deleteEverywhere(kTestKey);
        seeded_ = add(L"Plain", L"ION_ROOT", L"REG_SZ", L"\"C:\\Games\\Thief - Deadly Shadows\"",
                      L"32") &&
                  add(L"Plain", L"Slash", L"REG_SZ", L"C:\\Games\\TDS\\", L"32") &&
                  add(L"Plain", L"Empty", L"REG_SZ", L"\"\"", L"32") &&
                  add(L"Plain", L"Ansi", L"REG_SZ", L"\"D:\\Spiele\\\u00dcberwald\"", L"32") &&
                  add(L"Plain", L"Expand", L"REG_EXPAND_SZ", L"%ProgramFiles%\\Thief", L"32") &&
                  add(L"Plain", L"Binary", L"REG_BINARY", L"433a5c00", L"32") &&
                  add(L"Plain", L"Number", L"REG_DWORD", L"1", L"32") &&
                  add(L"Only32", L"ION_ROOT", L"REG_SZ", L"thirty-two", L"32") &&
                  add(L"Only64", L"ION_ROOT", L"REG_SZ", L"sixty-four", L"64") &&
                  add(L"Both", L"ION_ROOT", L"REG_SZ", L"thirty-two", L"32") &&
                  add(L"Both", L"ION_ROOT", L"REG_SZ", L"sixty-four", L"64") &&
                  add(L"Split", L"Other", L"REG_SZ", L"thirty-two", L"32") &&
                  add(L"Split", L"ION_ROOT", L"REG_SZ", L"sixty-four", L"64") &&
                  add(L"Expand32", L"ION_ROOT", L"REG_EXPAND_SZ", L"thirty-two", L"32") &&
                  add(L"Expand32", L"ION_ROOT", L"REG_SZ", L"sixty-four", L"64") &&
                  setRawString(L"EmbeddedNul", std::u16string_view(u"C:\\T\0x\0", 7)) &&
                  setRawString(L"Unterminated", u"C:\\T") &&
                  setRawString(L"NulFirst", std::u16string_view(u"\0x\0", 3));
    }
    static void TearDownTestSuite() { deleteEverywhere(kTestKey); }

    void SetUp() override {
        if (!seeded_) {
            // On Windows itself writing HKEY_LOCAL_MACHINE needs an
            // administrator; under Wine it must always work.
            if (runningUnderWine()) {
                FAIL() << "reg.exe could not write the test values";
            }
            GTEST_SKIP() << "needs an administrator to write HKEY_LOCAL_MACHINE";
        }
    }

    static std::string setting(std::string_view subKey, std::string_view value) {
        const std::string path = std::string(kTestPath) + "\\" + std::string(subKey);
        return readRegistryString(*makeWindowsRegistry(), path, value, "<default>");
    }
    static std::optional<RegistryValue> raw(std::string_view subKey, std::string_view value) {
        const std::string path = std::string(kTestPath) + "\\" + std::string(subKey);
        return makeWindowsRegistry()->queryLocalMachine(path, value);
    }

    static bool seeded_;
};

bool WindowsRegistryTest::seeded_ = false;

struct SettingCase {
    const char* subKey;
    const char* value;
    const char* expected;
};

class ReadRegistryStringTest : public WindowsRegistryTest,
                               public ::testing::WithParamInterface<SettingCase> {};

TEST_P(ReadRegistryStringTest, ReadsAsTheGameRootRules) {
    const auto& c = GetParam();
    EXPECT_EQ(setting(c.subKey, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ReadRegistryStringTest,
    ::testing::Values(
        SettingCase{"Plain", "ION_ROOT", "C:\\Games\\Thief - Deadly Shadows"},
        SettingCase{"Plain", "Slash", "C:\\Games\\TDS\\"}, SettingCase{"Plain", "Empty", ""},
        SettingCase{"Plain", "Ansi",
                    "D:\\Spiele\\\xc3\x9c"
                    "berwald"},
        SettingCase{"Plain", "Expand", "<default>"}, SettingCase{"Plain", "Binary", "<default>"},
        SettingCase{"Plain", "Number", "<default>"}, SettingCase{"Plain", "Missing", "<default>"},
        SettingCase{"Missing", "ION_ROOT", "<default>"}, SettingCase{"Raw", "EmbeddedNul", "C:\\T"},
        SettingCase{"Raw", "Unterminated", "C:\\T"}, SettingCase{"Raw", "NulFirst", ""},
        // The 32-bit view first, the native view when it lacks the value.
        SettingCase{"Only32", "ION_ROOT", "thirty-two"},
        SettingCase{"Only64", "ION_ROOT", "sixty-four"},
        SettingCase{"Both", "ION_ROOT", "thirty-two"},
        SettingCase{"Split", "ION_ROOT", "sixty-four"},
        // Found in the 32-bit view, so the wrong type stands.
        SettingCase{"Expand32", "ION_ROOT", "<default>"}),
    [](const auto& p) { return std::string(p.param.subKey) + "_" + std::string(p.param.value); });

TEST_F(WindowsRegistryTest, HandsOverTypeAndBytesAsStored) {
    const auto plain = raw("Plain", "ION_ROOT");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->type, kRegSz);
    EXPECT_EQ(plain->data, std::string("C:\\Games\\Thief - Deadly Shadows\0", 32));

    const auto binary = raw("Plain", "Binary");
    ASSERT_TRUE(binary);
    EXPECT_EQ(binary->type, 3u); // REG_BINARY
    EXPECT_EQ(binary->data, std::string("C:\\\0", 4));

    const auto embedded = raw("Raw", "EmbeddedNul");
    ASSERT_TRUE(embedded);
    EXPECT_EQ(embedded->data, std::string("C:\\T\0x\0", 7));

    // No padding from the size probe: the bytes the value really holds.
    const auto unterminated = raw("Raw", "Unterminated");
    ASSERT_TRUE(unterminated);
    EXPECT_EQ(unterminated->data.substr(0, 4), "C:\\T");
    EXPECT_EQ(unterminated->data.find(' '), std::string::npos);

    EXPECT_FALSE(raw("Missing", "ION_ROOT"));
    EXPECT_FALSE(raw("Plain", "Missing"));
}

TEST_F(WindowsRegistryTest, LocateGameRootReadsTheGamesOwnKey) {
    const std::wstring gameKey = L"HKLM\\SOFTWARE\\Ion Storm";
    if (!runningUnderWine()) {
        GTEST_SKIP() << "writes the game's own key: only in a throwaway Wine prefix";
    }
    if (keyExists(L"SOFTWARE\\Ion Storm", KEY_WOW64_32KEY) ||
        keyExists(L"SOFTWARE\\Ion Storm", KEY_WOW64_64KEY)) {
        GTEST_SKIP() << "the game's keys exist in this prefix; they are left alone";
    }
    ASSERT_TRUE(reg(L"add \"" + gameKey +
                    L"\\Thief - Deadly Shadows\" /v ION_ROOT /t REG_SZ /d \"C:\\Program Files "
                    L"(x86)\\Ion Storm\\Thief - Deadly Shadows\" /f /reg:32"));
    const GameInstall game = locateGame(Environment::fromProcess());
    deleteEverywhere(gameKey);
    EXPECT_EQ(game.root, "C:\\Program Files (x86)\\Ion Storm\\Thief - Deadly Shadows");
    EXPECT_TRUE(game.found());
}

} // namespace
