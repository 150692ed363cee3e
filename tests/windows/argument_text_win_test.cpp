// The argument text as Windows hands it over: a child started with an exact
// raw command line reads it back through GetCommandLineW.

#include "base/windows_text.h"
#include "presets/command_line.h"
#include "tests/support/temp_dir.h"
#include "tests/windows/process.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using quorvell::testing::TempDir;
using quorvell::testing::win::ownFolder;
using quorvell::testing::win::runProcess;

struct Case {
    const char* label;
    const wchar_t* arguments; // the raw text after the program's name
    const char* expected;     // what the program must read (UTF-8)
};

// The program's name comes first, quoted and holding spaces as a shortcut or
// Explorer writes it.
const Case kCases[] = {
    {"preset_only", L"walls", "walls"},
    {"two_spaces_before_silent", L"walls  silent", "walls  silent"},
    {"both_keywords", L"no textures silent disable", "no textures silent disable"},
    {"quoted_name_keeps_quotes", L"\"no textures\" disable", "\"no textures\" disable"},
    {"inner_quote_and_tab", L"a\"b\tc ", "a\"b\tc "},
    {"blanks_after_name_dropped", L"   walls", "walls"},
    {"not_ansi", L"\u00dcberwald \u0433\u043e\u0440\u043e\u0434",
     "\xc3\x9c"
     "berwald \xd0\xb3\xd0\xbe\xd1\x80\xd0\xbe\xd0\xb4"},
};

class ArgumentTextTest : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() {
        folder_ = new TempDir();
        const fs::path spaced = folder_->path() / "Thief Tools" / "my quorvell.exe";
        fs::create_directories(spaced.parent_path());
        fs::copy_file(ownFolder() / "argument_text_probe.exe", spaced);
        probe_ = new fs::path(spaced);
    }
    static void TearDownTestSuite() {
        delete probe_;
        delete folder_;
    }
    static TempDir* folder_;
    static fs::path* probe_;
};

TempDir* ArgumentTextTest::folder_ = nullptr;
fs::path* ArgumentTextTest::probe_ = nullptr;

TEST_P(ArgumentTextTest, QuotedProgramPathWithSpaces) {
    const Case& c = GetParam();
    const std::wstring line = L"\"" + probe_->native() + L"\" " + c.arguments;
    const auto result = runProcess(*probe_, line);
    ASSERT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, c.expected);
}

TEST_P(ArgumentTextTest, UnquotedProgramName) {
    // As cmd.exe passes a program started by its bare name.
    const Case& c = GetParam();
    const std::wstring line = std::wstring(L"quorvell ") + c.arguments;
    const auto result = runProcess(*probe_, line);
    ASSERT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, c.expected);
}

INSTANTIATE_TEST_SUITE_P(RawCommandLines, ArgumentTextTest, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(ArgumentTextTest, NothingAfterTheNameIsEmpty) {
    for (const std::wstring& line :
         {L"\"" + probe_->native() + L"\"", L"\"" + probe_->native() + L"\"   ",
          std::wstring(L"quorvell")}) {
        const auto result = runProcess(*probe_, line);
        ASSERT_EQ(result.exitCode, 0u);
        EXPECT_EQ(result.output, "") << quorvell::win::utf8FromWide(line);
    }
}

TEST_F(ArgumentTextTest, StartedThroughCmdAsAPlayerTypesIt) {
    // cmd.exe builds the child's line itself: the quoted path as typed, then
    // the rest of the line untouched.
    const std::wstring line = L"cmd.exe /d /c \"\"" + probe_->native() + L"\" walls  silent\"";
    const auto result = runProcess({}, line);
    ASSERT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, "walls  silent");
}

} // namespace
