#include "source/field_text.h"

#include <gtest/gtest.h>

namespace tavrolin::source {
namespace {

std::string text(std::string_view bytes, char type, bool russian = false) {
    std::string out = "stale";
    fieldText(bytes, type, russian, &out);
    return out;
}

TEST(FieldText, CharacterFieldsLoseTrailingPaddingOnly) {
    EXPECT_EQ(text("  Lake  ", 'C'), "  Lake");
    EXPECT_EQ(text(std::string("Lake\0\0", 6), 'C'), "Lake");
    EXPECT_EQ(text("     ", 'C'), "");
}

TEST(FieldText, NumbersTakeTheShortestFormWithTheLanguagesSeparator) {
    EXPECT_EQ(text("   12.50", 'N'), "12.5");
    EXPECT_EQ(text("   12.50", 'N', true), "12,5");
    EXPECT_EQ(text("  12.000", 'F'), "12");
    EXPECT_EQ(text("    -0.0", 'N'), "0");
    EXPECT_EQ(text("      36", 'N'), "36");
    EXPECT_EQ(text("  1.5E3", 'N'), "1500");
    EXPECT_EQ(text("  12abc", 'N'), "12");
    EXPECT_EQ(text("  abc1", 'N'), "0");   // a digit, but no leading number
    EXPECT_EQ(text("        ", 'N'), "");  // blank
    EXPECT_EQ(text("********", 'N'), "");  // overflow stars: no digit
    EXPECT_EQ(text(" 1e999", 'N'), "");    // beyond a double
    EXPECT_EQ(numberText(0.1, false), "0.1");
    // Round numbers keep their digits; only extreme magnitudes take the exponent form.
    EXPECT_EQ(text("  100000", 'N'), "100000");
    EXPECT_EQ(text(" 2000000", 'N'), "2000000");
    EXPECT_EQ(text("  0.0001", 'N', true), "0,0001");
    EXPECT_EQ(numberText(123456789012345.0, false), "123456789012345");
    EXPECT_EQ(numberText(1e15, false), "1E+15");
    EXPECT_EQ(numberText(-2.5e-7, true), "-2,5E-07");
}

TEST(FieldText, DatesAndLogicals) {
    EXPECT_EQ(text("20240229", 'D', true), "29.02.2024");
    EXPECT_EQ(text("20240229", 'D', false), "02/29/2024");
    EXPECT_EQ(text("20230229", 'D'), "");  // not a calendar date
    EXPECT_EQ(text("2024 1 1", 'D'), "");
    EXPECT_EQ(text("        ", 'D'), "");
    for (const char* yes : {"T", "t", "Y", "y"}) EXPECT_EQ(text(yes, 'L'), "True");
    for (const char* no : {"F", "N", "?", " "}) EXPECT_EQ(text(no, 'L'), "False");
}

}  // namespace
}  // namespace tavrolin::source
