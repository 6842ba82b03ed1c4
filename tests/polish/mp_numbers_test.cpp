#include "polish/mp_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

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

std::string formatGeneral(double value) {
    char text[kCoordinateTextMax];
    return std::string(text, formatCoordinateGeneral(value, text));
}

// The quick formatter covers 0.00001 <= |value| < 10^15 by integer arithmetic; at its edges,
// at exact halves of the 15th digit (to even), where rounding carries into a new digit, and
// just outside its range it writes what the standard library's rounding writes.
TEST(MpNumbers, QuickFormatMatchesTheGeneralOneAtTheEdges) {
    const double cases[] = {
        57.0000585,
        -39.0000105,
        0.00001,
        std::nextafter(0.00001, 0.0),
        0.0000099999999999999995,
        0.0001,
        0.000099999999999999995,
        std::nextafter(1e15, 0.0),
        999999999999999.4,
        999999999999999.5,
        1e15,
        100000000000000.5,  // exact half: stays even
        100000000000001.5,  // exact half: up to even
        10000000000000.25,  // exact half in the 16th digit
        10000000000000.75,
        1000000000000.125,
        0.99999999999999995,  // carries to "1"
        9.9999999999999995,
        0.099999999999999995,
        0.5,
        1,
        123456789012345,
        1234567890123456,
        std::ldexp(1.0, -20),
        std::ldexp(1.0, -17),
        std::ldexp(1.0, 52),
        std::ldexp(1.0, 49) + 0.5,
        1.0 / 3,
        2.0 / 3,
    };
    for (const double value : cases) {
        EXPECT_EQ(format(value), formatGeneral(value)) << formatGeneral(value);
        EXPECT_EQ(format(-value), formatGeneral(-value)) << formatGeneral(-value);
    }
}

TEST(MpNumbers, QuickFormatMatchesTheGeneralOneOnManyValues) {
    std::mt19937_64 random(1913);
    std::vector<double> values;
    // Any bit pattern whose magnitude lies around the quick path's range.
    std::uniform_int_distribution<int> exponent(-24, 54);
    for (int i = 0; i < 200000; ++i) {
        const double unit = std::uniform_real_distribution<double>(1, 2)(random);
        values.push_back(std::ldexp(unit, exponent(random)) * (random() % 2 ? 1 : -1));
    }
    // Middles of coordinates with six to eight decimals, as label points are.
    for (int i = 0; i < 200000; ++i) {
        const double scale = std::pow(10.0, 6 + static_cast<int>(random() % 3));
        const double a = static_cast<double>(random() % 180000000000) / scale;
        const double b = static_cast<double>(random() % 180000000000) / scale;
        values.push_back((a + b) / 2);
    }
    // Exact halves of the 15th significant digit: an integer of 16 - f digits plus an odd
    // number of 2^-f, and odd multiples of 2^-f below 1.
    for (int i = 0; i < 100000; ++i) {
        const int f = 1 + static_cast<int>(random() % 10);
        const auto low = static_cast<std::uint64_t>(std::pow(10.0, 15 - f));
        const double whole = static_cast<double>(low + random() % (9 * low));
        const double odd = static_cast<double>(2 * (random() % (1u << (f - 1))) + 1);
        values.push_back(whole + std::ldexp(odd, -f));
        const int g = 16 + static_cast<int>(random() % 8);
        values.push_back(std::ldexp(static_cast<double>(2 * (random() % (1u << 20)) + 1), -g));
    }
    for (const double value : values) {
        ASSERT_EQ(format(value), formatGeneral(value)) << formatGeneral(value);
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
    for (const char* text : {"57.000013",
                             "-39.000021",
                             "0.1",
                             "-0",
                             "-0.0",
                             "007.50",
                             "0.3",
                             "9007199254740991",
                             "9007199254740992",
                             "900719925474099.3",
                             "0.0000000000000000000001",
                             "0.00000000000000000000001",
                             "123456789012.345678",
                             "1.7976931348623157",
                             "5.",
                             ".5",
                             "00000000000000000000001.5",
                             "1234567890123456789.5",
                             "12345678901234567890.5",
                             "0.1234567890123456789",
                             "0.00000000000000000001234"}) {
        const std::optional<double> parsed = parseCoordinate(text);
        ASSERT_TRUE(parsed) << text;
        const double expected = std::strtod(text, nullptr);
        EXPECT_EQ(*parsed, expected) << text;
        EXPECT_EQ(std::signbit(*parsed), std::signbit(expected)) << text;
    }
}

TEST(MpNumbers, ReadsDepthFromTheStartOfALabel) {
    const std::pair<const char*, float> cases[] = {
        {"5", 5.0f},          {"4.99", 4.99f},     {"12.5m", 12.5f},
        {"-3", -3.0f},        {"Lake", 0.0f},      {"", 0.0f},
        {"-", 0.0f},          {".", 0.0f},         {" 1 2 .5", 12.5f},
        {"- 3", -3.0f},       {"+7", 7.0f},        {".5", 0.5f},
        {"1e1", 10.0f},       {"1E+1m", 10.0f},    {"2d-1", 0.2f},
        {"5e", 5.0f},         {"5em", 5.0f},       {"3.2.1", 3.2f},
        {"1e-999", 0.0f},     {"0.000e999", 0.0f}, {"12.5 3", 12.53f},
        {"12.5\t3m", 12.53f}, {"4.99m", 4.99f},    {"7.", 7.0f},
        {"7.d1", 70.0f},      {"2E1", 20.0f},      {"16777217", 16777216.0f},
        {"0.1 ", 0.1f},
    };
    for (const auto& [label, depth] : cases) EXPECT_EQ(readDepth(label), depth) << label;
    EXPECT_EQ(readDepth("1e999"), HUGE_VALF);
    EXPECT_EQ(readDepth("-1e39"), -HUGE_VALF);
    EXPECT_EQ(readDepth(std::string(500, '9')), HUGE_VALF);
}

}  // namespace
}  // namespace tavrolin::polish
