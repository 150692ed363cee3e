#include "patching/name_table.h"
#include "patching/reference_set.h"

#include <gtest/gtest.h>

namespace quorvell::patching {
namespace {

TEST(NameTable, FirstValueStaysAndEveryTextIsFoundAfterGrowing) {
    NameTable<int> table;
    EXPECT_FALSE(table.indexOf("anything"));
    for (int i = 0; i < 5000; ++i) {
        EXPECT_TRUE(table.addFirst("Wall_" + std::to_string(i), i));
    }
    EXPECT_FALSE(table.addFirst("Wall_7", -1));
    ASSERT_EQ(table.size(), 5000u);
    for (int i = 0; i < 5000; ++i) {
        const int* value = table.find("Wall_" + std::to_string(i));
        ASSERT_NE(value, nullptr) << i;
        EXPECT_EQ(*value, i);
    }
    for (const std::string_view missing : {"", "Wall_", "Wall_5000", "wall_1", "Wall_1 "}) {
        EXPECT_FALSE(table.indexOf(missing)) << missing;
    }
}

TEST(NameTable, TellsApartTextsThatShareBytesOrLength) {
    // Texts of every length up to the window, differing only at one end.
    NameTable<std::size_t> table;
    std::vector<std::string> texts;
    for (std::size_t n = 0; n <= 63; ++n) {
        texts.push_back(std::string(n, 'a'));
        texts.push_back(std::string(n, 'a') + 'b');
        texts.push_back('b' + std::string(n, 'a'));
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        table.addFirst(texts[i], i);
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto* value = table.find(texts[i]);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(texts[*value], texts[i]);
    }
    EXPECT_FALSE(table.indexOf(std::string("a\0", 2)));
}

// The walk hashes a name in the same pass that finds its NUL; a hash that
// disagreed with hashReference would make references silently match nothing.
TEST(WindowText, FindsTheFirstNulAndHashesLikeHashReference) {
    for (std::size_t length = 0; length < 64; ++length) {
        for (const char filler : {'\0', '\x01', '\x80', '\xFF', 'x'}) {
            std::string window(64, filler);
            for (std::size_t i = 0; i < length; ++i) {
                window[i] = static_cast<char>(i % 2 ? '\x80' + i : 'A' + i % 26);
            }
            window[length] = '\0';
            const auto text = windowText(window.data());
            ASSERT_TRUE(text) << length;
            EXPECT_EQ(text->length, length);
            EXPECT_EQ(text->hash, hashReference(std::string_view(window).substr(0, length)))
                << length << ' ' << int(filler);
        }
    }
    EXPECT_FALSE(windowText(std::string(64, '\x01').data()));
    EXPECT_FALSE(windowText(std::string(64, '\x80').data()));
}

TEST(NameTable, ClearForgetsEverything) {
    NameTable<int> table;
    table.addFirst("A", 1);
    table.clear();
    EXPECT_EQ(table.size(), 0u);
    EXPECT_FALSE(table.indexOf("A"));
    EXPECT_TRUE(table.addFirst("A", 2));
    EXPECT_EQ(*table.find("A"), 2);
}

TEST(ReferenceSet, KnowsWhatItHoldsHoweverItWasFilled) {
    ReferenceSet set;
    set.appendNew("Wall_a");
    set.appendNew("Door__overridden");
    EXPECT_TRUE(set.contains("Wall_a"));
    EXPECT_FALSE(set.insert("Door__overridden"));
    EXPECT_TRUE(set.insert("Rock"));
    EXPECT_EQ(set.size(), 3u);
    EXPECT_EQ(set, (ReferenceSet{"Rock", "Door__overridden", "Wall_a"}));
    EXPECT_NE(set, (ReferenceSet{"Rock", "Door", "Wall_a"}));
    EXPECT_EQ(std::vector<std::string>(set.begin(), set.end()),
              (std::vector<std::string>{"Wall_a", "Door__overridden", "Rock"}));
    set.clear();
    EXPECT_TRUE(set.empty());
    EXPECT_FALSE(set.contains("Wall_a"));
}

} // namespace
} // namespace quorvell::patching
