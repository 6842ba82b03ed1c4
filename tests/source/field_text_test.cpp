// A field's bytes as the text the reader shows: padding cut, numbers in their shortest form with
// the language's separator, dates and logicals.
#include "source/field_text.h"

#include <gtest/gtest.h>

namespace tavrolin::source {
namespace {

TEST(FieldText, EachTypeInItsShortestForm) {
    const std::tuple<std::string, char, bool, const char*> cases[] = {
        {"  Lake  ", 'C', false, "  Lake"},
        {std::string("Lake\0\0", 6), 'C', false, "Lake"},
        {"   12.50", 'N', false, "12.5"},
        {"   12.50", 'N', true, "12,5"},
        {"  12.000", 'F', false, "12"},
        {"    -0.0", 'N', false, "0"},
        {"  1.5E3", 'N', false, "1500"},
        {"  abc1", 'N', false, "0"},         // a digit, but no leading number
        {"        ", 'N', false, ""},        // blank
        {"********", 'N', false, ""},        // overflow stars: no digit
        {" 1e999", 'N', false, ""},          // beyond a double
        {"  100000", 'N', false, "100000"},  // round numbers keep their digits
        {"  0.0001", 'N', true, "0,0001"},
        {"20240229", 'D', true, "29.02.2024"},
        {"20240229", 'D', false, "02/29/2024"},
        {"20230229", 'D', false, ""},  // not a calendar date
        {"T", 'L', false, "True"},
        {"F", 'L', false, "False"},
        {"?", 'L', false, "False"}};
    for (const auto& [bytes, type, russian, expected] : cases) {
        std::string out = "stale";
        fieldText(bytes, type, russian, &out);
        EXPECT_EQ(out, expected) << type << " '" << bytes << "'";
    }
    // Only extreme magnitudes take the exponent form.
    EXPECT_EQ(numberText(0.1, false), "0.1");
    EXPECT_EQ(numberText(123456789012345.0, false), "123456789012345");
    EXPECT_EQ(numberText(1e15, false), "1E+15");
    EXPECT_EQ(numberText(-2.5e-7, true), "-2,5E-07");
}

}  // namespace
}  // namespace tavrolin::source
