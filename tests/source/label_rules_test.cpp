#include "source/label_rules.h"

#include <gtest/gtest.h>

#include "source/encodings.h"

namespace tavrolin::source {
namespace {

TEST(LabelRules, DropsCoordinatesTrimsAndCutsTrailingPointZero) {
    LabelRules rules(false, kMarkCp1251, false);
    EXPECT_EQ(rules.apply("55.123456"), "");
    EXPECT_EQ(rules.apply("55.1234567 N"), "");
    EXPECT_EQ(rules.apply("55.12345"), "55.12345");  // five decimals: not a coordinate
    EXPECT_EQ(rules.apply("   12.0"), "12");
    EXPECT_EQ(rules.apply("12,5"), "12,5");
    EXPECT_EQ(rules.apply("12,0"), "12,0");
    EXPECT_EQ(rules.apply("   "), "");
}

TEST(LabelRules, DepthInMetresTurnsCommasIntoPoints) {
    LabelRules rules(true, kMarkCp1251, true);
    EXPECT_EQ(rules.apply("12,5"), "12.5");
    EXPECT_EQ(rules.apply("12,0"), "12");
}

TEST(LabelRules, QuotesBecomeApostrophesAndTheWidestLabelIsCounted) {
    LabelRules rules(true, kMarkCp1251, false);
    EXPECT_EQ(
        rules.apply("\xCE\xE7\xE5\xF0\xEE \"\xC1\xE5\xEB\xEE\xE5\""),
        "\xD0\x9E\xD0\xB7\xD0\xB5\xD1\x80\xD0\xBE '\xD0\x91\xD0\xB5\xD0\xBB\xD0\xBE\xD0\xB5'");
    EXPECT_EQ(rules.widthCounter(), 13);  // Озеро 'Белое' in characters, not bytes
    rules.apply("short");
    EXPECT_EQ(rules.widthCounter(), 13);
}

TEST(LabelRules, MarkZeroIsGuessedUntilALabelHasHighBytes) {
    // English interface: a 1251-looking label makes the guess 2, which reads the OEM page.
    LabelRules english(false, kMarkNone, false);
    EXPECT_EQ(english.apply("Lake"), "Lake");
    EXPECT_EQ(english.mark(), kMarkNone);
    EXPECT_EQ(english.apply("\xCE\xE7"), "\xE2\x95\xAC\xCF\x84");  // ╬τ in 437
    EXPECT_EQ(english.mark(), kGuessHighUpper);
    // The guess is kept: a later UTF-8 label is still read in the OEM page.
    EXPECT_EQ(english.apply("\xD0\x9E"), decode437("\xD0\x9E"));

    // A first high label guessed 1 has no conversion: later labels stay in 1251.
    LabelRules first(false, kMarkNone, false);
    EXPECT_EQ(first.apply("\xD0\x9E\xD0\xB7"), decode1251("\xD0\x9E\xD0\xB7"));
    EXPECT_EQ(first.mark(), kGuessHighLower);
    EXPECT_EQ(first.apply("\xCE\xE7"), decode1251("\xCE\xE7"));
}

TEST(LabelRules, ConvertsByTheFilesMark) {
    LabelRules utf8(true, kMarkUtf8, false);
    EXPECT_EQ(utf8.apply("\xD0\x9E\xD0\xB7 "), "\xD0\x9E\xD0\xB7");
    LabelRules dos(true, kMarkCp866, false);
    EXPECT_EQ(dos.apply("\x8E\xA7"), "\xD0\x9E\xD0\xB7");
}

}  // namespace
}  // namespace tavrolin::source
