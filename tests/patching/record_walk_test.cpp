#include "patching/memory_map_bytes.h"
#include "patching/record_walk.h"
#include "tests/support/map_builder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quorvell::patching {
namespace {

using testing::MapBuilder;

struct Seen {
    std::string text;
    std::uint64_t position;
    std::size_t record;
};

std::vector<Seen> walk(const std::string& bytes, WalkSummary* summary = nullptr) {
    MemoryMapBytes map(bytes);
    std::vector<Seen> seen;
    const auto result = walkRecords(map, [&](const TextureReference& r) {
        seen.push_back({std::string(r.text), r.position(), r.record});
        return std::optional<std::string>();
    });
    if (summary) {
        *summary = result;
    }
    EXPECT_EQ(map.writes(), 0u);
    return seen;
}

std::vector<std::string> texts(const std::vector<Seen>& seen) {
    std::vector<std::string> out;
    for (const auto& s : seen) {
        out.push_back(s.text);
    }
    return out;
}

TEST(RecordWalk, YieldsTextureReferencesWithTheirOneBasedPositions) {
    const auto bytes = MapBuilder().texture("Wall_a").texture("Door").end().bytes();
    const auto seen = walk(bytes);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text, "Wall_a");
    EXPECT_EQ(seen[0].position, 94u);
    EXPECT_EQ(seen[1].text, "Door");
    EXPECT_EQ(seen[1].position, 402u);
    EXPECT_EQ(seen[1].record, 1u);
}

TEST(RecordWalk, NeedsTheExactSignature) {
    auto bytes = MapBuilder().texture("Wall_a").end().bytes();
    WalkSummary summary;
    EXPECT_EQ(walk(bytes, &summary).size(), 1u);
    EXPECT_TRUE(summary.signatureFound);
    for (std::size_t i = 0; i < 6; ++i) {
        auto spoiled = bytes;
        spoiled[i] = static_cast<char>(spoiled[i] ^ 0x40);
        EXPECT_TRUE(walk(spoiled, &summary).empty()) << "byte " << i;
        EXPECT_FALSE(summary.signatureFound);
    }
}

TEST(RecordWalk, ShortFilesYieldNothing) {
    const std::string signature = testing::mapSignature();
    for (const std::string& bytes :
         {std::string(), signature.substr(0, 5), signature, MapBuilder().bytes()}) {
        EXPECT_TRUE(walk(bytes).empty()) << bytes.size() << " bytes";
    }
}

// Each row: the records after one "Wall_a", and what the walk yields.
struct TableCase {
    const char* name;
    std::function<void(MapBuilder&)> build;
    std::vector<std::string> expected;
};

class TableEnd : public ::testing::TestWithParam<TableCase> {};

TEST_P(TableEnd, FollowsTheKindAndEndRules) {
    MapBuilder builder;
    builder.texture("Wall_a");
    GetParam().build(builder);
    builder.texture("After").tail(400);
    EXPECT_EQ(texts(walk(builder.bytes())), GetParam().expected);
}

std::string window(char fill) {
    return std::string(64, fill);
}

INSTANTIATE_TEST_SUITE_P(
    Records, TableEnd,
    ::testing::Values(
        TableCase{"NulEndsTable", [](MapBuilder& b) { b.end(0x00); }, {"Wall_a"}},
        TableCase{"OneEndsTable", [](MapBuilder& b) { b.end(0x01); }, {"Wall_a"}},
        TableCase{"EndTestBeforeKind", [](MapBuilder& b) { b.record(0x05, "\x01x"); }, {"Wall_a"}},
        TableCase{
            "OtherKindSkipped", [](MapBuilder& b) { b.record(0x07, "Sky"); }, {"Wall_a", "After"}},
        TableCase{"KindHighBitSkipped",
                  [](MapBuilder& b) { b.record(0x88, "Sky"); },
                  {"Wall_a", "After"}},
        TableCase{"WindowWithoutNulSkipped",
                  [](MapBuilder& b) { b.rawWindow(0x08, window('Q')); },
                  {"Wall_a", "After"}},
        TableCase{"NulOnlyInLastByte",
                  [](MapBuilder& b) { b.rawWindow(0x08, window('Q').replace(63, 1, 1, '\0')); },
                  {"Wall_a", std::string(63, 'Q'), "After"}},
        TableCase{"TextStopsAtFirstNul",
                  [](MapBuilder& b) {
                      b.rawWindow(0x08, std::string("Ab\0junk", 7) + std::string(57, 'z'));
                  },
                  {"Wall_a", "Ab", "After"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(RecordWalk, FirstRecordCanEndTheTable) {
    EXPECT_TRUE(walk(MapBuilder().end(0x00).texture("Late").bytes()).empty());
    EXPECT_TRUE(walk(MapBuilder().end(0x01).texture("Late").bytes()).empty());
}

TEST(RecordWalk, EndOfFileInsideARecordEndsTheWalk) {
    const auto full = MapBuilder().texture("Wall_a").texture("Door").bytes();
    const std::size_t doorName = MapBuilder::nameOffset(1);
    // The whole window of "Door" must lie inside the file to be examined.
    EXPECT_EQ(texts(walk(full.substr(0, doorName + 64))),
              (std::vector<std::string>{"Wall_a", "Door"}));
    EXPECT_EQ(texts(walk(full.substr(0, doorName + 63))), std::vector<std::string>{"Wall_a"});
    EXPECT_EQ(texts(walk(full.substr(0, doorName))), std::vector<std::string>{"Wall_a"});
    EXPECT_EQ(texts(walk(full.substr(0, doorName - 1))), std::vector<std::string>{"Wall_a"});
    EXPECT_TRUE(walk(full.substr(0, MapBuilder::nameOffset(0) + 63)).empty());
}

TEST(RecordWalk, CrossesBlockBoundariesWithoutLosingOrRepeatingRecords) {
    MapBuilder builder;
    const std::size_t count = kRecordsPerBlock * 3 + 7;
    for (std::size_t k = 0; k < count; ++k) {
        if (k % 5 == 3) {
            builder.record(0x02, "Mesh");
        } else {
            builder.texture("T" + std::to_string(k));
        }
    }
    builder.end().tail(1000);
    const auto seen = walk(builder.bytes());
    std::size_t expected = 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (k % 5 == 3) {
            continue;
        }
        ASSERT_LT(expected, seen.size());
        EXPECT_EQ(seen[expected].text, "T" + std::to_string(k));
        EXPECT_EQ(seen[expected].position, MapBuilder::nameOffset(k) + 1);
        ++expected;
    }
    EXPECT_EQ(seen.size(), expected);
}

TEST(RecordWalk, TableThatRunsToTheEndOfTheFileInABlockBoundary) {
    // A table without an end record, cut exactly at a block's last window.
    MapBuilder builder;
    for (std::size_t k = 0; k < kRecordsPerBlock * 2; ++k) {
        builder.texture("T");
    }
    const auto bytes = builder.bytes();
    const auto cut = bytes.substr(0, MapBuilder::nameOffset(kRecordsPerBlock * 2 - 1) + 64);
    EXPECT_EQ(walk(cut).size(), kRecordsPerBlock * 2);
}

TEST(RecordWalk, ReadsInBlocksAndYieldsAtMostOncePerBlock) {
    MapBuilder builder;
    for (std::size_t k = 0; k < kRecordsPerBlock * 4; ++k) {
        builder.texture("T");
    }
    builder.end().tail(1 << 20);
    MemoryMapBytes map(builder.bytes());
    int yields = 0;
    walkRecords(
        map, [](const TextureReference&) { return std::optional<std::string>(); },
        [&] { ++yields; });
    EXPECT_EQ(map.reads(), 5u); // never the whole file, never record by record
    EXPECT_LE(yields, 5);
    EXPECT_GE(yields, 1);
}

// Every block boundary the walk can meet: a small table walked in blocks of
// 1 to 5 records, cut at every byte around its last records, must give what
// the one-block walk gives (the files are far below one default block).
TEST(RecordWalk, AnyBlockSizeWalksAlikeWhereverTheFileEnds) {
    MapBuilder builder;
    for (std::size_t k = 0; k < 11; ++k) {
        if (k % 4 == 2) {
            builder.record(0x02, "Mesh");
        } else {
            builder.texture("T" + std::to_string(k));
        }
    }
    const auto full = builder.end().tail(100).bytes();
    const auto walkIn = [](const std::string& bytes, std::size_t records) {
        MemoryMapBytes map(bytes);
        std::vector<std::uint64_t> positions;
        walkRecordsInBlocks(map, records, [&](const TextureReference& r) {
            positions.push_back(r.position());
            return std::optional<std::string>();
        });
        return positions;
    };
    for (std::size_t cut = MapBuilder::nameOffset(6); cut <= full.size(); ++cut) {
        const auto bytes = full.substr(0, cut);
        const auto expected = walkIn(bytes, kRecordsPerBlock);
        for (std::size_t records = 1; records <= 5; ++records) {
            ASSERT_EQ(walkIn(bytes, records), expected) << cut << " bytes, " << records;
        }
    }
}

TEST(RecordWalk, RewriteLandsAtTheNameAndNowhereElse) {
    const auto bytes = MapBuilder().texture("Wall_a").texture("Door").end().bytes();
    MemoryMapBytes map(bytes);
    const auto summary = walkRecords(map, [](const TextureReference& r) {
        return r.text == "Door" ? std::optional<std::string>("Gate") : std::nullopt;
    });
    EXPECT_EQ(summary.rewrites, 1u);
    auto expected = bytes;
    expected.replace(MapBuilder::nameOffset(1), 4, "Gate");
    EXPECT_EQ(map.bytes(), expected);
}

TEST(RecordWalk, RewritesOfABlockGoOutInOneWritePerRunOfNearbyNames) {
    MapBuilder builder;
    builder.texture("A").texture("A");
    for (std::size_t k = 0; k <= kMaxWriteGap / kRecordStride; ++k) {
        builder.record(0x02, "Mesh");
    }
    MemoryMapBytes map(builder.texture("A").end().bytes());
    const auto summary =
        walkRecords(map, [](const TextureReference&) { return std::optional<std::string>("B"); });
    EXPECT_EQ(summary.rewrites, 3u);
    EXPECT_EQ(map.writes(), 2u); // the first two together, the far one alone
}

TEST(RecordWalk, RefusesARewriteLargerThanTheWindow) {
    MemoryMapBytes map(MapBuilder().texture("Wall_a").end().bytes());
    EXPECT_THROW(walkRecords(map,
                             [](const TextureReference&) {
                                 return std::optional<std::string>(std::string(65, 'x'));
                             }),
                 std::logic_error);
    EXPECT_EQ(map.writes(), 0u);
}

} // namespace
} // namespace quorvell::patching
