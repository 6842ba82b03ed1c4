#include "polish/mp_numbers.h"

#include <algorithm>
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

}  // namespace

namespace {

// A plain decimal "[-]digits[.digits]" whose digits fit in 53 bits and whose fraction has at
// most 22 digits: the digits as an integer and the power of ten are both exact doubles, so one
// division gives the correctly rounded value, the same as a full parse. Anything else: nullopt.
std::optional<double> parsePlainDecimal(std::string_view text) {
    constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    std::uint64_t digits = 0;
    std::size_t whole = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++whole) {
        digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (digits >= kExactLimit) return std::nullopt;
    }
    if (whole == 0) return std::nullopt;
    std::size_t fraction = 0;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++fraction) {
            digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
            if (digits >= kExactLimit) return std::nullopt;
        }
        if (fraction == 0 || fraction >= std::size(kPowers)) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    const double value = static_cast<double>(digits) / kPowers[fraction];
    return negative ? -value : value;
}

}  // namespace

std::optional<double> parseCoordinate(std::string_view text) {
    text = store::trimSpaces(text);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    if (const std::optional<double> plain = parsePlainDecimal(text)) return plain;
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::size_t formatCoordinate(double value, char* out) {
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

float readDepth(std::string_view text) {
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
