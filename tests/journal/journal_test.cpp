#include "journal/journal.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace quorvell::journal {
namespace {

using testing::TempDir;

patching::MapPlan planOf(const std::filesystem::path& map, std::uint64_t offset, std::string before,
                         std::string after) {
    patching::MapPlan plan;
    plan.map = map;
    plan.length = 100;
    plan.edits.add(offset, before, after);
    return plan;
}

class JournalTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path maps = dir.path() / "Maps";
    std::filesystem::path file = dir.path() / "state" / "maps.journal";
    void SetUp() override { std::filesystem::create_directories(maps); }
};

TEST_F(JournalTest, RunsReadBackWithTheirEndsAndATornTailIsIgnoredThenCutOff) {
    Journal journal(file, maps);
    auto walls =
        planOf(maps / "a.ibt", 10, std::string(13, '\0'), std::string("__overridden\0", 13));
    // The same bytes found, other bytes written: not the same change.
    walls.edits.add(23, std::string(13, '\0'), std::string("x_overridden\0", 13));
    const auto first = journal.begin("quorvell-cli", "applied walls", {walls});
    journal.end(first, true, 1, 1);
    const auto second =
        journal.begin("window", "switched off Wall_a.dds", {planOf(maps / "a.ibt", 40, "x", "y")});
    const auto tornAt = std::filesystem::file_size(file);
    journal.end(second, false, 0, 0);
    // A power loss in the middle of the end record: half of it on disk.
    std::filesystem::resize_file(file, tornAt + 9);

    Journal read(file, maps);
    EXPECT_TRUE(read.tornTail());
    ASSERT_EQ(read.runs().size(), 2u);
    EXPECT_EQ(read.runs()[0].state, RunState::Ended);
    EXPECT_EQ(read.runs()[0].summary.what, "applied walls");
    EXPECT_EQ(read.unfinished(), &read.runs()[1]);
    const auto walled = read.plansOf(read.runs()[0])[0].edits;
    EXPECT_EQ(walled[0].after, std::string("__overridden\0", 13));
    EXPECT_EQ(walled[1].after, std::string("x_overridden\0", 13));

    // The next record goes where the torn one started, and reads back whole.
    const auto third = read.begin("window", "applied doors", {});
    read.end(third, true, 0, 0);
    Journal again(file, maps);
    EXPECT_FALSE(again.tornTail());
    EXPECT_EQ(again.runs().size(), 3u);
    EXPECT_EQ(again.runs()[2].state, RunState::Ended);

    // A flipped byte in a record's payload ends the journal before it.
    std::string bytes = testing::readFile(file);
    bytes[static_cast<std::size_t>(tornAt) - 2] ^= 0x5A;
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    EXPECT_LT(Journal(file, maps).runs().size(), 3u);
}

TEST_F(JournalTest, FirstFoundBytesSurvivePruningAndLaterRunsAndOverlaps) {
    Journal journal(file, maps);
    const auto map = maps / "a.ibt";
    journal.end(journal.begin("cli", "first", {planOf(map, 10, "AAAA", "bbbb")}), true, 1, 1);
    // A later run over the same and overlapping bytes adds only what was new.
    journal.end(journal.begin("cli", "second", {planOf(map, 12, "bbCC", "dddd")}), true, 1, 1);
    for (std::size_t i = 0; i < kRunsKept + 5; ++i) {
        journal.end(journal.begin("cli", "again", {planOf(map, 10, "bbdd", "AAAA")}), true, 1, 1);
    }
    Journal read(file, maps);
    EXPECT_EQ(read.runs().size(), kRunsKept);
    EXPECT_EQ(read.runs().back().summary.id, kRunsKept + 7);
    ASSERT_EQ(read.originals().size(), 1u);
    const auto& names = read.originals().begin()->second.names;
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names.begin()->first, 10u);
    EXPECT_EQ(names.begin()->second, "AAAACC");
}

// Journals written before names were stored once per distinct bytes hold
// each name's bytes in columns; they still read, and a new run appends to
// them.
TEST_F(JournalTest, AJournalOfTheEarlierLayoutReadsAndGrows) {
    const auto map = maps / "a.ibt";
    const auto text = [](std::string_view bytes) {
        return static_cast<char>(bytes.size()) + std::string(bytes);
    };
    // One map, one name at offset 10: "ab" changed to "cd".
    const std::string head = text(map.string()) + std::string("\x64\0\0", 3); // length 100
    const std::string plans = "\x01" + head + "\x01\x0a\x02" + "ab" + "cd";
    const std::string originals = "\x01" + head + "\x01\x0a\x02" + "ab";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        << frameRecord(RecordKind::Folder, std::filesystem::canonical(maps).string())
        << frameRecord(RecordKind::Started,
                       encodeSummary({1, 0, "window", "applied walls", 0, 1, 1}))
        << frameRecord(RecordKind::Plans, deflateBytes(plans))
        << frameRecord(RecordKind::Originals, deflateBytes(originals))
        << frameRecord(RecordKind::Ended, encodeEnd({1, true, 1, 1}));

    Journal journal(file, maps);
    ASSERT_EQ(journal.runs().size(), 1u);
    const auto read = journal.plansOf(journal.runs()[0]);
    ASSERT_EQ(read.size(), 1u);
    ASSERT_EQ(read[0].edits.size(), 1u);
    EXPECT_EQ(read[0].edits[0].offset, 10u);
    EXPECT_EQ(read[0].edits[0].after, "cd");
    journal.end(journal.begin("window", "again", {planOf(map, 11, "d", "e")}), true, 1, 1);
    const Journal again(file, maps);
    const auto& names = again.originals().at(map.string()).names;
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].second, "ab"); // the earliest bytes win
}

TEST_F(JournalTest, AJournalOfAnotherFolderOrAnUnwritableOneIsNamed) {
    Journal(file, maps).begin("cli", "x", {});
    std::filesystem::create_directories(dir.path() / "Other");
    EXPECT_THROW(Journal(file, dir.path() / "Other"), IoError);

    dir.write("blocked", "a file where the journal's folder would be");
    Journal blocked(dir.path() / "blocked" / "maps.journal", maps);
    try {
        blocked.begin("cli", "x", {});
        FAIL() << "a journal that cannot be written must stop the run";
    } catch (const IoError& error) {
        EXPECT_NE(error.path().find("blocked"), std::string::npos) << error.what();
    }
}

} // namespace
} // namespace quorvell::journal
