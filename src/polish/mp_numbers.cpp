#include "polish/mp_numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>

#include "store/utf8_text.h"

namespace tavrolin::polish {

namespace {

constexpr int kSignificantDigits = 15;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Powers of ten: exact as integers up to 10^19, and exact as doubles up to 10^22.
constexpr std::uint64_t kTens[] = {1,
                                   10,
                                   100,
                                   1000,
                                   10000,
                                   100000,
                                   1000000,
                                   10000000,
                                   100000000,
                                   1000000000,
                                   10000000000,
                                   100000000000,
                                   1000000000000,
                                   10000000000000,
                                   100000000000000,
                                   1000000000000000,
                                   10000000000000000,
                                   100000000000000000,
                                   1000000000000000000,
                                   10000000000000000000u};

}  // namespace

std::optional<double> parseCoordinate(std::string_view text) {
    text = store::trimSpaces(text);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    if (readPlainDecimal(at, end, value) && at == end) return value;
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::size_t formatCoordinateGeneral(double value, char* out) {
    if (value == 0) value = 0;  // no "-0"
    char rounded[32];
    const auto result = std::to_chars(rounded, rounded + sizeof rounded, value,
                                      std::chars_format::general, kSignificantDigits);
    const std::string_view text(rounded, static_cast<std::size_t>(result.ptr - rounded));
    const std::size_t exponentAt = text.find('e');
    if (exponentAt == std::string_view::npos) {
        std::memcpy(out, text.data(), text.size());
        return text.size();
    }

    // Very small or very large: lay the rounded digits out without the exponent.
    char* p = out;
    std::string_view mantissa = text.substr(0, exponentAt);
    if (mantissa.front() == '-') {
        *p++ = '-';
        mantissa.remove_prefix(1);
    }
    char digits[kSignificantDigits + 1];
    std::size_t digitCount = 0;
    for (char c : mantissa) {
        if (isDigit(c)) digits[digitCount++] = c;
    }
    std::string_view exponentText = text.substr(exponentAt + 1);
    if (exponentText.front() == '+') exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    // Digits before the decimal point (the first digit stands for 10^exponent).
    const long wholeDigits = exponent + 1L;
    if (wholeDigits <= 0) {
        *p++ = '0';
        *p++ = '.';
        p = std::fill_n(p, -wholeDigits, '0');
        p = std::copy_n(digits, digitCount, p);
    } else if (static_cast<std::size_t>(wholeDigits) >= digitCount) {
        p = std::copy_n(digits, digitCount, p);
        p = std::fill_n(p, wholeDigits - static_cast<long>(digitCount), '0');
    } else {
        p = std::copy_n(digits, wholeDigits, p);
        *p++ = '.';
        p = std::copy_n(digits + wholeDigits, digitCount - static_cast<std::size_t>(wholeDigits),
                        p);
    }
    return static_cast<std::size_t>(p - out);
}

#if defined(__SIZEOF_INT128__)

namespace {

using Wide = unsigned __int128;

// "00" to "99".
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Width of the quick path's digit text: the 16 digits of a rounded value up to 10^15, with
// zeros in front for up to 19 decimals.
constexpr int kPaddedDigits = 20;

// Writes the eight digits of a value below 10^8, in pairs (no chain of divisions by ten).
void writeEightDigits(std::uint32_t value, char* out) {
    const std::uint32_t high = value / 10000;
    const std::uint32_t low = value % 10000;
    std::memcpy(out, kDigitPairs + 2 * (high / 100), 2);
    std::memcpy(out + 2, kDigitPairs + 2 * (high % 100), 2);
    std::memcpy(out + 4, kDigitPairs + 2 * (low / 100), 2);
    std::memcpy(out + 6, kDigitPairs + 2 * (low % 100), 2);
}

// Writes a value below 10^16 as kPaddedDigits digits, zeros in front.
void writeFixedDigits(std::uint64_t value, char* out) {
    std::memset(out, '0', kPaddedDigits - 16);
    writeEightDigits(static_cast<std::uint32_t>(value / 100000000), out + kPaddedDigits - 16);
    writeEightDigits(static_cast<std::uint32_t>(value % 100000000), out + kPaddedDigits - 8);
}

// Leading zeros after the point the quick path still takes (0.00001 and up).
constexpr int kQuickZerosMax = 4;
// Bits of a double's significand, the hidden one included.
constexpr int kSignificandBits = 53;

// Writes |value| by exact integer arithmetic when 0.00001 <= |value| < 10^15 (whole digits
// and at most kSignificantDigits + kQuickZerosMax decimals); returns 0, writing nothing, for
// any other value. The double is m * 2^-shift exactly, so the value times 10^decimals is the
// 128-bit m * 10^decimals shifted right, and the bits shifted out decide the rounding: up
// above the half, to even at the half, as the general path rounds.
std::size_t formatQuick(double value, char* out) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased == 0 || biased == 0x7FF) return 0;  // zero, subnormal, inf, nan
    const std::uint64_t significand =
        (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biased;  // value = significand * 2^-shift
    // Beyond these shifts the value is below 2^-20 (under 0.00001) or at least 2^52.
    if (shift <= 0 || shift > kSignificandBits + 20) return 0;

    int decimals = 0;
    const std::uint64_t whole = shift >= 64 ? 0 : significand >> shift;
    if (whole != 0) {
        if (whole >= kTens[kSignificantDigits]) return 0;
        int wholeDigits = 1;
        while (wholeDigits < kSignificantDigits && whole >= kTens[wholeDigits]) ++wholeDigits;
        decimals = kSignificantDigits - wholeDigits;
    } else {
        // The first significant digit: the smallest power that lifts the value to 1 or more.
        const Wide one = Wide{1} << shift;
        int zeros = 0;
        while (Wide{significand} * kTens[zeros + 1] < one) {
            if (++zeros > kQuickZerosMax) return 0;
        }
        decimals = kSignificantDigits + zeros;
    }

    const Wide scaled = Wide{significand} * kTens[decimals];
    auto digits = static_cast<std::uint64_t>(scaled >> shift);
    const Wide rest = scaled & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    if (rest > half || (rest == half && (digits & 1) != 0)) ++digits;

    // The rounded value lies in [10^14, 10^15]: 15 digits, or 16 when rounding carried.
    int length = digits >= kTens[kSignificantDigits] ? kSignificantDigits + 1 : kSignificantDigits;
    // Trailing zeros of the decimals go, in groups of 8, 4, 2 and 1: at most 15, so four tests
    // strip any number of them.
    for (const int group : {8, 4, 2, 1}) {
        if (decimals >= group && digits % kTens[group] == 0) {
            digits /= kTens[group];
            decimals -= group;
            length -= group;
        }
    }

    // Pieces are copied as whole runs of kRun bytes (one move each, no call), then the end is
    // set back to what the piece holds: `text` has room for a run read past its digits, and
    // `out` (kCoordinateTextMax bytes) for one written past the number.
    constexpr int kRun = 20;
    char text[kPaddedDigits + kRun] = {};
    writeFixedDigits(digits, text);
    const char* const first = text + kPaddedDigits - length;  // the first significant digit
    const int wholeLength = length - decimals;
    char* p = out;
    if (value < 0) *p++ = '-';
    if (wholeLength > 0) {
        std::memcpy(p, first, kRun);
        p += wholeLength;
        if (decimals > 0) {
            *p++ = '.';
            std::memcpy(p, first + wholeLength, kRun);
            p += decimals;
        }
    } else {
        std::memcpy(p, "0.0000000000000000000", kRun);  // "0." and up to 18 zeros
        p += 2 - wholeLength;
        std::memcpy(p, first, kRun);
        p += length;
    }
    return static_cast<std::size_t>(p - out);
}

}  // namespace

std::size_t formatCoordinate(double value, char* out) {
    if (const std::size_t length = formatQuick(value, out)) return length;
    return formatCoordinateGeneral(value, out);
}

#else

std::size_t formatCoordinate(double value, char* out) {
    return formatCoordinateGeneral(value, out);
}

#endif

float readDepth(std::string_view text) {
    // A plain decimal that nothing could continue ("12.5", "4.99m") is read as it stands.
    double plain = 0;
    const char* at = text.data();
    const char* const textEnd = text.data() + text.size();
    if (readPlainDecimal(at, textEnd, plain)) {
        const bool mayContinue =
            at != textEnd && (isDigit(*at) || isBlank(*at) || *at == '.' || *at == 'e' ||
                              *at == 'E' || *at == 'd' || *at == 'D');
        if (!mayContinue) return static_cast<float>(plain);
    }

    // Gather the characters that make up the number, leaving the blanks out.
    std::string number;
    long wholeDigits = 0;  // digits before the point, leading zeros not counted
    bool mantissaDigit = false;
    bool point = false;
    long exponent = 0;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i])) ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-') number += '-';
        ++i;
    }
    for (skipBlanks(); i < text.size(); ++i, skipBlanks()) {
        const char c = text[i];
        if (isDigit(c)) {
            if (!point && (wholeDigits > 0 || c != '0')) ++wholeDigits;
            mantissaDigit = true;
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    if (!mantissaDigit) return 0;

    // An exponent counts only when digits follow its letter and sign.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        ++i;
        skipBlanks();
        bool negative = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            negative = text[i] == '-';
            ++i;
        }
        bool exponentDigit = false;
        for (skipBlanks(); i < text.size() && isDigit(text[i]); ++i, skipBlanks()) {
            exponentDigit = true;
            if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
        }
        if (exponentDigit) {
            if (negative) exponent = -exponent;
            number += 'e';
            number += std::to_string(exponent);
        }
    }

    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        const bool huge = wholeDigits + exponent > 0;
        if (!huge) return 0;
        value = number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    if (std::fabs(value) > std::numeric_limits<float>::max()) {
        return value < 0 ? -std::numeric_limits<float>::infinity()
                         : std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

}  // namespace tavrolin::polish
