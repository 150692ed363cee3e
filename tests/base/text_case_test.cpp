#include "base/text_case.h"

#include <gtest/gtest.h>

namespace quorvell::text_case {
namespace {

TEST(NameCase, CapitalsOfEveryScriptPlayersUse) {
    // Latin-1 (not the multiplication sign), Latin Extended-A in both of its
    // capital orders, dotted I, Y diaeresis, Greek and Cyrillic.
    EXPECT_EQ(lowerName("Wall_\xC3\x80\xC3\x97\xC3\x9E"), "wall_\xC3\xA0\xC3\x97\xC3\xBE");
    EXPECT_EQ(lowerName("\xC4\x80\xC5\x81\xC5\xBD\xC4\xB0\xC5\xB8"), "\xC4\x81\xC5\x82\xC5\xBE"
                                                                     "i"
                                                                     "\xC3\xBF");
    EXPECT_EQ(lowerName("\xCE\x91\xD0\x81\xD0\x96"), "\xCE\xB1\xD1\x91\xD0\xB6");
    // A stray byte is kept as it is, and the text around it still changes.
    EXPECT_EQ(lowerName("A\xFF"
                        "B"),
              "a\xFF"
              "b");
    EXPECT_TRUE(equalNames("ION_ROOT", "Ion_Root"));
    EXPECT_FALSE(equalNames("ION_ROOT", "ION_ROOTS"));
}

TEST(CommandLineCase, Windows1252LettersOnly) {
    EXPECT_EQ(lowerCommandLine("Walls_A-Z 09 {}"), "walls_a-z 09 {}");
    // A-grave .. THORN lower-case; the multiplication sign is no letter.
    EXPECT_EQ(lowerCommandLine("\xC3\x80\xC3\x89\xC3\x9E\xC3\x97\xC3\x9F"),
              "\xC3\xA0\xC3\xA9\xC3\xBE\xC3\x97\xC3\x9F");
    // S caron, OE, Z caron, Y diaeresis.
    EXPECT_EQ(lowerCommandLine("\xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8"),
              "\xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF");
    // Capitals outside the code page stay, where the names rule lowers them.
    EXPECT_EQ(lowerCommandLine("\xC5\x81\xD0\x96\xE2\x82\xAC"), "\xC5\x81\xD0\x96\xE2\x82\xAC");
}

} // namespace
} // namespace quorvell::text_case
