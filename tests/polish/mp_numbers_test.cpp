// Numbers and lines of map files: coordinates written shortest with fifteen digits (a quick path
// and the general one agreeing bit for bit), coordinates and depths read, and lines read and
// written in blocks.
#include "polish/mp_numbers.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "polish/polish_fixture.h"
#include "store/file_io.h"

namespace tavrolin::polish {
namespace {

using namespace std::string_literals;

std::string format(double value) {
    char text[kCoordinateTextMax];
    return std::string(text, formatCoordinate(value, text));
}

std::string formatGeneral(double value) {
    char text[kCoordinateTextMax];
    return std::string(text, formatCoordinateGeneral(value, text));
}

TEST(MpNumbers, FormatsShortestWithFifteenDigits) {
    EXPECT_EQ(format(-0.0), "0");
    EXPECT_EQ(format(1.234567890123456789e20), "123456789012346000000");
    EXPECT_EQ(format(5e-324), "0." + std::string(323, '0') + "494065645841247");
    EXPECT_EQ(format(-1.7976931348623157e308).size(), 310u);

    // Whatever the magnitude, the text reads back as the value rounded to 15 significant digits.
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

// The quick formatter covers 0.00001 <= |value| < 10^15 by integer arithmetic; at its edges, at
// exact halves of the 15th digit (to even), where rounding carries into a new digit, just
// outside its range, and on many values around it, it writes what the general one writes.
TEST(MpNumbers, QuickFormatMatchesTheGeneralOne) {
    std::vector<double> values = {std::nextafter(0.00001, 0.0), 1.0 / 3};
    std::istringstream edges(
        "57.0000585 -39.0000105 0.00001 0.0000099999999999999995 0.0001 0.000099999999999999995 "
        "999999999999999.875 999999999999999.4 999999999999999.5 1e15 100000000000000.5 "
        "100000000000001.5 10000000000000.25 10000000000000.75 1000000000000.125 "
        "0.99999999999999995 9.9999999999999995 0.099999999999999995 0.5 1 123456789012345 "
        "1234567890123456 0x1p-20 0x1p-17 0x1p52 0x1.0000000000004p49");
    for (std::string text; edges >> text;) values.push_back(std::strtod(text.c_str(), nullptr));
    std::mt19937_64 random(1913);
    std::uniform_int_distribution<int> exponent(-24, 54);
    for (int i = 0; i < 100000; ++i) {
        // Any bit pattern around the quick path's range.
        const double unit = std::uniform_real_distribution<double>(1, 2)(random);
        values.push_back(std::ldexp(unit, exponent(random)));
        // Middles of coordinates with six to eight decimals, as label points are.
        const double scale = std::pow(10.0, 6 + static_cast<int>(random() % 3));
        values.push_back((static_cast<double>(random() % 180000000000) / scale +
                          static_cast<double>(random() % 180000000000) / scale) /
                         2);
        // Exact halves of the 15th significant digit: an integer of 16 - f digits plus an odd
        // number of 2^-f, and odd multiples of 2^-f below 1.
        const int f = 1 + static_cast<int>(random() % 10);
        const auto low = static_cast<std::uint64_t>(std::pow(10.0, 15 - f));
        const double odd = static_cast<double>(2 * (random() % (1u << (f - 1))) + 1);
        values.push_back(static_cast<double>(low + random() % (9 * low)) + std::ldexp(odd, -f));
        const int g = 16 + static_cast<int>(random() % 8);
        values.push_back(std::ldexp(static_cast<double>(2 * (random() % (1u << 20)) + 1), -g));
    }
    for (const double value : values) {
        ASSERT_EQ(format(value), formatGeneral(value)) << formatGeneral(value);
        ASSERT_EQ(format(-value), formatGeneral(-value)) << formatGeneral(-value);
    }
}

// Plain decimals take a short path; it must round exactly as the full parse does, at the edges
// of that path too (53-bit digit count, 22 fraction digits, negative zero, leading zeros).
TEST(MpNumbers, ParsesCoordinatesAsTheFullParse) {
    std::istringstream texts(
        "57.000013 -0.0 007.50 9007199254740993 900719925474099.3 0.0000000000000000000001 "
        "0.00000000000000000000001 5. .5 00000000000000000000001.5 12345678901234567890.5 "
        "0.1234567890123456789 +3 -3.5e1");
    for (std::string text; texts >> text;) {
        const std::optional<double> parsed = parseCoordinate(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(*parsed, std::strtod(text.c_str(), nullptr)) << text;
        EXPECT_EQ(std::signbit(*parsed), text[0] == '-') << text;
    }
    EXPECT_EQ(parseCoordinate(" 57.25 "), 57.25);
    for (const char* bad : {"", "1,5", "1.5x", "+-1", "inf", "nan", "1e400"}) {
        EXPECT_FALSE(parseCoordinate(bad)) << bad;
    }
}

TEST(MpNumbers, ReadsDepthFromTheStartOfALabel) {
    const std::pair<const char*, float> cases[] = {
        {"12.5m", 12.5f},     {"Lake", 0.0f},       {"-", 0.0f},          {" 1 2 .5", 12.5f},
        {"- 3", -3.0f},       {"1E+1m", 10.0f},     {"2d-1", 0.2f},       {"5em", 5.0f},
        {"3.2.1", 3.2f},      {"0.000e999", 0.0f},  {"12.5\t3m", 12.53f}, {"7.d1", 70.0f},
        {"1e999", HUGE_VALF}, {"-1e39", -HUGE_VALF}};
    for (const auto& [label, depth] : cases) EXPECT_EQ(readDepth(label), depth) << label;
    EXPECT_EQ(readDepth(std::string(500, '9')), HUGE_VALF);
}

// The lines a file holds, split the plain way.
std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        lines.push_back(bytes.substr(start, end - start));
        if (end < bytes.size() && !lines.back().empty() && lines.back().back() == '\r') {
            lines.back().pop_back();
        }
        start = end + 1;
    }
    return lines;
}

TEST(LineReader, ReadsEveryLineAcrossBlockEnds) {
    testing::MapFolder folder;
    // Line ends falling on each side of the block end, CR and LF split by it, a last line with
    // and without its end, NUL bytes, and lines longer than one and two blocks.
    std::vector<std::string> files = {"", "\n", "one", "one\r", "one\r\ntwo\r"};
    for (std::size_t shift : {0, 1, 2, 3}) {
        std::string bytes(kBlockBytes - 2 - shift, 'a');
        bytes += "\r\n\r\nb\nc\0d\r\n"s + std::string(kBlockBytes + 5, 'e') + "\r\n" +
                 std::string(2 * kBlockBytes, 'f');
        files.push_back(bytes);
        files.push_back(bytes + "\r\n");
    }
    for (const std::string& bytes : files) {
        SCOPED_TRACE(bytes.size());
        const std::string path = folder.write("map.mp", bytes);
        Result<store::FileDescriptor> file = store::openFile(path, O_RDONLY);
        ASSERT_TRUE(file);
        LineReader reader(file->get(), path);
        std::vector<std::string> lines;
        for (std::string_view line; reader.next(line);) lines.emplace_back(line);
        EXPECT_TRUE(reader.status());
        EXPECT_EQ(lines, splitLines(bytes));
        Result<long long> count = countLines(store::openFile(path, O_RDONLY)->get(), path);
        EXPECT_EQ(*count, static_cast<long long>(lines.size()));
    }
}

TEST(LineWriter, EndsLinesWithCrLfWritesInBlocksAndKeepsTheFirstError) {
    testing::MapFolder folder;
    const std::string path = folder.path("out.mp");
    {
        Result<store::FileDescriptor> file = store::openFile(path, O_WRONLY | O_CREAT | O_TRUNC);
        ASSERT_TRUE(file);
        LineWriter writer(file->get(), path);
        for (std::size_t i = 0; i < 3 * kBlockBytes / 1000; ++i)
            writer.line(std::string(1000, 'x'));
        writer.line(std::string(2 * kBlockBytes + 500, 'y'));  // longer than a block
        writer.raw("raw\r\n");
        writer.flush();
        EXPECT_TRUE(writer.status());
    }
    const std::string bytes = folder.read("out.mp");
    const std::size_t lines = 3 * kBlockBytes / 1000 * 1002;
    EXPECT_EQ(bytes.size(), lines + 2 * kBlockBytes + 502 + 5);
    EXPECT_EQ(bytes.substr(lines - 3, 4), "x\r\ny");
    EXPECT_EQ(bytes.substr(bytes.size() - 9), "yy\r\nraw\r\n");

    LineWriter memory;  // in memory everything stays, past any block
    for (char c : {'a', 'b'}) memory.line(std::string(kBlockBytes - 1, c));
    EXPECT_EQ(memory.text(), std::string(kBlockBytes - 1, 'a') + "\r\n" +
                                 std::string(kBlockBytes - 1, 'b') + "\r\n");

    Result<store::FileDescriptor> full = store::openFile("/dev/full", O_WRONLY);
    if (!full) GTEST_SKIP() << "no /dev/full";
    LineWriter failing(full->get(), "/dev/full");
    failing.line("x");
    failing.flush();
    EXPECT_EQ(failing.status().number(), err::kDiskFull);
}

}  // namespace
}  // namespace tavrolin::polish
