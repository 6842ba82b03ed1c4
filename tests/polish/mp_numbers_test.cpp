#include "polish/mp_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace tavrolin::polish {
namespace {

std::string format(double value) {
    char text[kCoordinateTextMax];
    return std::string(text, formatCoordinate(value, text));
}

TEST(MpNumbers, FormatsShortestWithFifteenDigits) {
    const std::pair<double, std::string> cases[] = {
        {(57.1 + 57.3) / 2, "57.2"},
        {(39.2 + 39.6) / 2, "39.4"},
        {30, "30"},
        {-0.0, "0"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {-2.0 / 3, "-0.666666666666667"},
        {123456789.123456789, "123456789.123457"},
        {0.000015, "0.000015"},
        {-1.25e-7, "-0.000000125"},
        {1e15, "1000000000000000"},
        {1.234567890123456789e20, "123456789012346000000"},
        {5e-324, "0." + std::string(323, '0') + "494065645841247"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(format(value), text) << text;
    EXPECT_EQ(format(-1.7976931348623157e308).size(), 310u);
}

// Whatever the magnitude, the text reads back as the value rounded to 15 significant digits.
TEST(MpNumbers, FormatReadsBackAsFifteenDigitRounding) {
    std::mt19937_64 random(13);
    std::uniform_int_distribution<int> exponent(-320, 308);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (!std::isfinite(value)) continue;
        char rounded[64];
        std::snprintf(rounded, sizeof rounded, "%.15g", value);
        const std::string text = format(value);
        ASSERT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        ASSERT_EQ(parseCoordinate(text), std::strtod(rounded, nullptr) + 0.0) << rounded;
    }
}

TEST(MpNumbers, ParsesCoordinates) {
    EXPECT_EQ(parseCoordinate(" 57.25 "), 57.25);
    EXPECT_EQ(parseCoordinate("+3"), 3);
    EXPECT_EQ(parseCoordinate("-3.5e1"), -35);
    for (const char* bad : {"", " ", "x", "1,5", "1.5x", "+-1", "inf", "nan", "1e400", "--1"}) {
        EXPECT_FALSE(parseCoordinate(bad)) << bad;
    }
}

// Plain decimals take a short path; it must round exactly as the full parse does, at the edges
// of that path too (53-bit digit count, 22 fraction digits, negative zero, leading zeros).
TEST(MpNumbers, PlainDecimalsParseAsTheFullParse) {
    for (const char* text :
         {"57.000013", "-39.000021", "0.1", "-0", "-0.0", "007.50", "0.3", "9007199254740991",
          "9007199254740992", "900719925474099.3", "0.0000000000000000000001",
          "0.00000000000000000000001", "123456789012.345678", "1.7976931348623157", "5.", ".5"}) {
        const std::optional<double> parsed = parseCoordinate(text);
        ASSERT_TRUE(parsed) << text;
        const double expected = std::strtod(text, nullptr);
        EXPECT_EQ(*parsed, expected) << text;
        EXPECT_EQ(std::signbit(*parsed), std::signbit(expected)) << text;
    }
}

TEST(MpNumbers, ReadsDepthFromTheStartOfALabel) {
    const std::pair<const char*, float> cases[] = {
        {"5", 5.0f},  {"4.99", 4.99f}, {"12.5m", 12.5f}, {"-3", -3.0f},      {"Lake", 0.0f},
        {"", 0.0f},   {"-", 0.0f},     {".", 0.0f},      {" 1 2 .5", 12.5f}, {"- 3", -3.0f},
        {"+7", 7.0f}, {".5", 0.5f},    {"1e1", 10.0f},   {"1E+1m", 10.0f},   {"2d-1", 0.2f},
        {"5e", 5.0f}, {"5em", 5.0f},   {"3.2.1", 3.2f},  {"1e-999", 0.0f},   {"0.000e999", 0.0f},
    };
    for (const auto& [label, depth] : cases) EXPECT_EQ(readDepth(label), depth) << label;
    EXPECT_EQ(readDepth("1e999"), HUGE_VALF);
    EXPECT_EQ(readDepth("-1e39"), -HUGE_VALF);
    EXPECT_EQ(readDepth(std::string(500, '9')), HUGE_VALF);
}

}  // namespace
}  // namespace tavrolin::polish
