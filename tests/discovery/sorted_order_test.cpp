#include "base/text_case.h"
#include "discovery/sorted_order.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace quorvell::discovery {
namespace {

using Rows = std::vector<std::string>;

Rows sorted(Rows rows) {
    std::sort(rows.begin(), rows.end(),
              [](const std::string& a, const std::string& b) { return sortedListLess(a, b); });
    return rows;
}

TEST(SortedOrder, OrdersByLowerCasedTextThenByExactText) {
    // Code-unit order would put every capital before "_x.dds".
    EXPECT_EQ(
        sorted({"wall.dds", "_x.dds", "Wall.dds", "Apple.dds", "apple.dds", "WALL.dds", "b.dds"}),
        (Rows{"_x.dds", "Apple.dds", "apple.dds", "b.dds", "WALL.dds", "Wall.dds", "wall.dds"}));
}

TEST(SortedOrder, LowerCasesLatinLettersBeyondAscii) {
    // "\xC3\x89" is É, "\xC3\xA9" é, "\xC3\x96" Ö, "\xC5\x81" Ł and "\xC5\x82" ł.
    EXPECT_EQ(sorted({"\xC3\xA9t\xC3\xA9", "zebra", "\xC3\x89T\xC3\x89",
                      "\xC5\x82\xC3\xB3"
                      "d\xC5\xBA",
                      "\xC3\x96l",
                      "\xC5\x81"
                      "ad"}),
              (Rows{"zebra", "\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9", "\xC3\x96l",
                    "\xC5\x81"
                    "ad",
                    "\xC5\x82\xC3\xB3"
                    "d\xC5\xBA"}));
}

TEST(SortedOrder, IsAStrictOrder) {
    EXPECT_FALSE(sortedListLess("a", "a"));
    EXPECT_TRUE(sortedListLess("A", "a"));
    EXPECT_FALSE(sortedListLess("a", "A"));
    EXPECT_TRUE(sortedListLess("a", "ab"));
    EXPECT_TRUE(sortedListLess("", "a"));
}

TEST(SortedOrder, InsertsAfterEqualRows) {
    const Rows rows{"Apple.dds", "b.dds", "b.dds", "Wall.dds"};
    EXPECT_EQ(sortedInsertPosition(rows, "b.dds"), 3u);
    EXPECT_EQ(sortedInsertPosition(rows, "B.dds"), 1u);
    EXPECT_EQ(sortedInsertPosition(rows, "_x.dds"), 0u);
    EXPECT_EQ(sortedInsertPosition(rows, "zz.dds"), 4u);
    EXPECT_EQ(sortedInsertPosition({}, "a"), 0u);
}

// The quick paths (ASCII compared in place, keys worked out once) against the
// order's definition, over texts that leave ASCII at different places.
TEST(SortedOrder, QuickComparisonsAgreeWithTheDefinition) {
    const Rows texts{"",
                     "a",
                     "A",
                     "ab",
                     "aB",
                     "a\xC3\x89",
                     "A\xC3\xA9",
                     "a\xC3\xA9"
                     "b",
                     "\xC3\x89",
                     "\xC3\xA9",
                     "z",
                     "a\xFF",
                     "A\xFE"};
    const auto definition = [](const std::string& a, const std::string& b) {
        return text_case::lowerName(a) != text_case::lowerName(b)
                   ? text_case::lowerName(a) < text_case::lowerName(b)
                   : a < b;
    };
    Rows keys;
    for (const auto& text : sorted(texts)) {
        keys.push_back(sortKeyOf(text));
    }
    for (const auto& a : texts) {
        EXPECT_EQ(sortedInsertPosition(keys, sorted(texts), sortKeyOf(a), a),
                  sortedInsertPosition(sorted(texts), a));
        for (const auto& b : texts) {
            EXPECT_EQ(sortedListLess(a, b), definition(a, b)) << a << " < " << b;
        }
    }
}

} // namespace
} // namespace quorvell::discovery
