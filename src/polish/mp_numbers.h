// Numbers in map text: coordinates read and written with "." as the decimal separator whatever
// the locale, and the depth read from the start of a label.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

namespace tavrolin::polish {

// Longest text formatCoordinate writes: sign, 15 digits, point, and up to 322 leading zeros of
// the smallest doubles, or 308 digits of the largest.
constexpr std::size_t kCoordinateTextMax = 344;

// A coordinate: a finite decimal number, spaces around it allowed, a leading "+" allowed.
// Nothing for any other text (empty, letters, trailing characters, out of range, inf, nan).
std::optional<double> parseCoordinate(std::string_view text);

// Reads a plain decimal "[-]digits[.digits]" at `at`, up to the first character that cannot
// continue it, when its digits as one integer stay below 2^53 and it has at most 22 decimals:
// both the integer and the power of ten are then exact doubles, so one division gives the
// correctly rounded value, the same as the full parse. On success moves `at` past the number;
// on false (another form, or too many digits) leaves it. Inline: coordinate lines call it for
// every number.
inline bool readPlainDecimal(const char*& at, const char* end, double& value) {
    static constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    constexpr std::size_t kDigitsMax = 19;  // any 19 digits fit in 64 bits
    const char* p = at;
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    std::uint64_t digits = 0;
    auto readDigits = [&p, end, &digits] {
        const char* const start = p;
        for (; p != end && *p >= '0' && *p <= '9'; ++p) {
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        }
        return static_cast<std::size_t>(p - start);  // past 19, `digits` has overflowed
    };
    std::size_t count = readDigits();
    if (count == 0) return false;
    std::size_t decimals = 0;
    if (p != end && *p == '.') {
        ++p;
        decimals = readDigits();
        if (decimals == 0 || decimals >= std::size(kExactPowersOfTen)) return false;
        count += decimals;
    }
    if (count > kDigitsMax || digits >= kExactLimit) return false;
    const double magnitude = static_cast<double>(digits) / kExactPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    at = p;
    return true;
}

// Writes the value in its shortest decimal form of at most 15 significant digits: rounded to 15
// digits, no trailing zeros, no decimal point for a whole number, never an exponent, "-0"
// written as "0". `out` holds at least kCoordinateTextMax bytes; returns the length written.
std::size_t formatCoordinate(double value, char* out);
// The same text by the standard library's rounding, for any value; formatCoordinate computes
// the usual magnitudes more quickly and hands the rest to this one.
std::size_t formatCoordinateGeneral(double value, char* out);

// The depth a label states: the number at the start of the text, with "." as the decimal point,
// blanks anywhere in it skipped, a sign and an exponent allowed, read up to the first character
// that cannot continue it ("12.5m" is 12.5, "- 3" is -3); 0 when the text does not begin with a
// number. Held in single precision, as the depth scales compare it. A number too large for a
// float is infinite.
float readDepth(std::string_view text);

}  // namespace tavrolin::polish
