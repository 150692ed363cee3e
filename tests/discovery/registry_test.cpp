#include "discovery/registry.h"

#include <gtest/gtest.h>
#include <map>

namespace quorvell::discovery {
namespace {

using namespace std::string_literals;

class FakeRegistry final : public RegistrySource {
public:
    std::optional<RegistryValue> value;
    mutable std::string askedKey;
    mutable std::string askedName;

    std::optional<RegistryValue> queryLocalMachine(std::string_view subKey,
                                                   std::string_view valueName) const override {
        askedKey = subKey;
        askedName = valueName;
        return value;
    }
};

struct SettingCase {
    const char* label;
    std::optional<RegistryValue> stored;
    std::string expected;
};

class SettingRules : public ::testing::TestWithParam<SettingCase> {};

TEST_P(SettingRules, OnlyPlainStringsCountAndEndAtTheFirstNul) {
    FakeRegistry registry;
    registry.value = GetParam().stored;
    EXPECT_EQ(readRegistryString(registry, "SOFTWARE\\Key", "Name", "fallback"),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, SettingRules,
    ::testing::Values(
        SettingCase{"terminated", RegistryValue{1, "C:\\Games\\Thief\0"s}, "C:\\Games\\Thief"},
        SettingCase{"unterminated_taken_whole", RegistryValue{1, "C:\\Games\\Thief"},
                    "C:\\Games\\Thief"},
        SettingCase{"embedded_nul", RegistryValue{1, "C:\\A\0B\0"s}, "C:\\A"},
        SettingCase{"nul_first", RegistryValue{1, "\0C:\\A\0"s}, ""},
        SettingCase{"no_data", RegistryValue{1, ""}, ""},
        SettingCase{"trailing_backslash_kept", RegistryValue{1, "C:\\Games\\\0"s}, "C:\\Games\\"},
        SettingCase{"ansi_to_utf8", RegistryValue{1, "C:\\Spi\xE9le\0"s}, "C:\\Spi\xC3\xA9le"},
        SettingCase{"expanding_string", RegistryValue{2, "C:\\Games\0"s}, "fallback"},
        SettingCase{"binary", RegistryValue{3, "C:\\Games\0"s}, "fallback"},
        SettingCase{"dword", RegistryValue{4, "\1\0\0\0"s}, "fallback"},
        SettingCase{"multi_string", RegistryValue{7, "C:\\Games\0\0"s}, "fallback"},
        SettingCase{"missing", std::nullopt, "fallback"}),
    [](const auto& param) { return std::string(param.param.label); });

TEST(Registry, AsksForTheGivenKeyAndValueAndDefaultsToEmpty) {
    FakeRegistry registry;
    EXPECT_EQ(
        readRegistryString(registry, "SOFTWARE\\Ion Storm\\Thief - Deadly Shadows", "ION_ROOT"),
        "");
    EXPECT_EQ(registry.askedKey, "SOFTWARE\\Ion Storm\\Thief - Deadly Shadows");
    EXPECT_EQ(registry.askedName, "ION_ROOT");
}

} // namespace
} // namespace quorvell::discovery
