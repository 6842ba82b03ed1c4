#include "templates/text_fold.h"

#include <gtest/gtest.h>

namespace tavrolin::templates {
namespace {

TEST(TextFold, CaseFoldsLatinAndCyrillicAroundOtherCharacters) {
    EXPECT_EQ(foldCase("Озеро ЁЖ Lake"), "озеро ёж lake");
    EXPECT_EQ(upperCase("озеро ёж lake"), "ОЗЕРО ЁЖ LAKE");
    // A three-byte character followed by a Latin letter: the letter still changes.
    EXPECT_EQ(foldCase("№A"), "№a");
    EXPECT_EQ(upperCase("€z"), "€Z");
    EXPECT_TRUE(equalsIgnoringCase("Buoy №A", "BUOY №a"));
    EXPECT_FALSE(equalsIgnoringCase("Lake", "Lakes"));
}

TEST(TextFold, TrimsBlanks) {
    EXPECT_EQ(trim(" \t0x24  "), "0x24");
    EXPECT_EQ(trimRight("  Lake   "), "  Lake");
}

}  // namespace
}  // namespace tavrolin::templates
